# Building and testing programs written against the Nuvik SDK. The same file serves the
# runner's own tree (the demo) and the installed package (find_package(Nuvik)).
#
#   nuvik_add_program(NAME SOURCES a.cpp b.cpp ...)
#     An executable that is the runner carrying the program in SOURCES, with every runner
#     option. Texts in the sources are UTF-8 and reach PutText as CP949 bytes.
#
#   nuvik_add_program_test(NAME PROGRAM target SCRIPT file GOLDEN file.png
#                          [RUN_FOR ms] [OPTIONS option ...])
#     A test that runs the program headless on the virtual clock with the script (and
#     --run-for=ms, and the extra runner options) and compares the screen at the end with the
#     golden PNG. A missing golden is written and the test fails; a mismatch writes
#     <golden>-ACTUAL.png and <golden>-DIFF.png beside the golden and says how many pixels
#     differ. `NUVIK_UPDATE_GOLDENS=1 ctest ...` rewrites the goldens from this run instead.

set(NUVIK_PROGRAM_MODULE_DIR "${CMAKE_CURRENT_LIST_DIR}")
if(EMSCRIPTEN)
  include("${CMAKE_CURRENT_LIST_DIR}/web/NuvikWeb.cmake")
endif()

function(nuvik_add_program NAME)
  cmake_parse_arguments(PARSE_ARGV 1 P "" "" "SOURCES")
  if(NOT P_SOURCES)
    message(FATAL_ERROR "nuvik_add_program(${NAME}): SOURCES names no source file")
  endif()
  add_executable(${NAME} ${P_SOURCES})
  target_link_libraries(${NAME} PRIVATE Nuvik::main)
  target_compile_features(${NAME} PRIVATE cxx_std_20)
  # The console's texts are Korean Windows code page bytes, whatever the source encoding.
  if(EMSCRIPTEN)
    nuvik_web_cp949(${NAME})
    nuvik_web_program(${NAME})
    return()
  endif()
  target_compile_options(${NAME} PRIVATE -finput-charset=UTF-8 -fexec-charset=CP949)
  if(WIN32)
    target_link_options(${NAME} PRIVATE -mwindows -static)
  endif()
endfunction()

function(nuvik_add_program_test NAME)
  cmake_parse_arguments(PARSE_ARGV 1 T "" "PROGRAM;SCRIPT;GOLDEN;RUN_FOR" "OPTIONS")
  foreach(required PROGRAM SCRIPT GOLDEN)
    if(NOT T_${required})
      message(FATAL_ERROR "nuvik_add_program_test(${NAME}): ${required} is missing")
    endif()
  endforeach()
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
  # Options travel to the test script joined by "|", which no runner option contains.
  list(JOIN options "|" joined)
  add_test(NAME ${NAME}
    COMMAND "${CMAKE_COMMAND}"
      "-DPROGRAM=$<TARGET_FILE:${T_PROGRAM}>"
      "-DGOLDEN_CHECK=$<TARGET_FILE:Nuvik::golden>"
      "-DOPTIONS=${joined}"
      "-DGOLDEN=${T_GOLDEN}"
      "-DSCREENSHOT=${CMAKE_CURRENT_BINARY_DIR}/${NAME}.png"
      "-DREPORT=${CMAKE_CURRENT_BINARY_DIR}/${NAME}-report.json"
      -P "${NUVIK_PROGRAM_MODULE_DIR}/NuvikProgramTest.cmake")
  set_tests_properties(${NAME} PROPERTIES TIMEOUT 120)
endfunction()
