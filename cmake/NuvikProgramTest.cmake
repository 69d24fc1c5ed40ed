# Golden-picture tests of programs written against the Nuvik SDK (included by
# NuvikProgram.cmake).
#
#   nuvik_add_program_test(NAME PROGRAM target SCRIPT file GOLDEN file.png
#                          [AREA console|screen] [RUN_FOR ms] [OPTIONS option ...])
#     A test that runs the program headless on the virtual clock with the script (and
#     --run-for=ms, and the extra runner options) and compares the picture at its end with
#     the golden PNG: the console's 320 x 240 screen (AREA console, the default), or the whole
#     640 x 480 picture around it (AREA screen). nuvik-golden runs the program and compares;
#     every outcome is its one message:
#     - a missing golden is written from the run and the test fails: look at it, commit it;
#     - a mismatch writes <golden>-ACTUAL.png (this run) and <golden>-DIFF.png (enlarged, the
#       differing pixels red in a yellow frame, the rest dimmed) beside the golden and names
#       the differing pixels in the compared area's own coordinates;
#     - `NUVIK_UPDATE_GOLDENS=1 ctest ...` rewrites every golden this run differs from, and
#       those tests fail naming the files rewritten (look at them, commit them); 0 or unset
#       compares; any other value is refused;
#     - a run that does not end within 100 s is stopped, and one that ends with a non-zero
#       status fails the test.
#     The run's screenshot and report stay in the build directory as NAME.png and
#     NAME-report.json.

function(nuvik_add_program_test NAME)
  cmake_parse_arguments(PARSE_ARGV 1 T "" "PROGRAM;SCRIPT;GOLDEN;RUN_FOR;AREA" "OPTIONS")
  foreach(required PROGRAM SCRIPT GOLDEN)
    if(NOT T_${required})
      message(FATAL_ERROR "nuvik_add_program_test(${NAME}): ${required} is missing")
    endif()
  endforeach()
  if(NOT DEFINED T_AREA)
    set(T_AREA console)
  endif()
  if(NOT T_AREA MATCHES "^(console|screen)$")
    message(FATAL_ERROR "nuvik_add_program_test(${NAME}): AREA ${T_AREA} is neither console "
                        "(the 320 x 240 screen) nor screen (the whole 640 x 480 picture)")
  endif()
  # On Windows the runner has no headless host: programs are tested on the Linux build. A
  # web page is checked in a browser (tools/web-check.sh); the runner under node runs them.
  if(WIN32 OR (EMSCRIPTEN AND NOT NUVIK_WEB_TARGET STREQUAL "node"))
    return()
  endif()
  cmake_path(ABSOLUTE_PATH T_SCRIPT BASE_DIRECTORY "${CMAKE_CURRENT_SOURCE_DIR}" NORMALIZE)
  cmake_path(ABSOLUTE_PATH T_GOLDEN BASE_DIRECTORY "${CMAKE_CURRENT_SOURCE_DIR}" NORMALIZE)
  set(options --headless --virtual-clock "--script=${T_SCRIPT}")
  if(DEFINED T_RUN_FOR)
    list(APPEND options "--run-for=${T_RUN_FOR}")
  endif()
  list(APPEND options ${T_OPTIONS})
  add_test(NAME ${NAME}
    COMMAND Nuvik::golden test "--area=${T_AREA}" "--golden=${T_GOLDEN}"
      "--screenshot=${CMAKE_CURRENT_BINARY_DIR}/${NAME}.png"
      "--report=${CMAKE_CURRENT_BINARY_DIR}/${NAME}-report.json"
      -- "$<TARGET_FILE:${T_PROGRAM}>" ${options})
  set_tests_properties(${NAME} PROPERTIES TIMEOUT 120)
endfunction()
