# The runner built for the web, run under node, against the native runner: the same options
# and script give byte-identical screenshots and reports. Run with cmake -P and NATIVE (the
# native runner), NODE (node with its options, ;-separated), WEB (the runner's .js), SCRIPTS
# (this folder) and OUT (a scratch folder).
foreach(required NATIVE NODE WEB SCRIPTS OUT)
  if(NOT DEFINED ${required})
    message(FATAL_ERROR "NodeMatchesNative.cmake: ${required} is not set")
  endif()
endforeach()
if(NOT EXISTS "${NATIVE}")
  message(FATAL_ERROR "the native runner ${NATIVE} is missing: build the default preset first")
endif()

# name | options (,-separated) | script (in SCRIPTS, or none)
set(cases
  "slider-home|--run-for=4000|slider-home.txt"
  "refused-below-dx8|--dx=7,--run-for=1000|none"
  "unknown-card|--display-format=0x001F,--run-for=1500|none"
  "format-555|--display-format=555,--run-for=2000|none"
  "long-run|--run-for=60000|none")

set(failures 0)
foreach(case IN LISTS cases)
  string(REPLACE "|" ";" fields "${case}")
  list(GET fields 0 name)
  list(GET fields 1 options)
  list(GET fields 2 script)
  string(REPLACE "," ";" options "${options}")
  foreach(side native web)
    set(dir "${OUT}/${name}/${side}")
    file(REMOVE_RECURSE "${dir}")
    file(MAKE_DIRECTORY "${dir}")
    set(run_options --headless --virtual-clock ${options} "--screenshot=${dir}/end.png"
                    "--report=${dir}/report.json")
    if(NOT script STREQUAL "none")
      file(READ "${SCRIPTS}/${script}" text)
      string(REPLACE "$OUT" "${dir}" text "${text}")
      file(WRITE "${dir}/script.txt" "${text}")
      list(APPEND run_options "--script=${dir}/script.txt")
    endif()
    if(side STREQUAL "native")
      set(command "${NATIVE}")
    else()
      set(command ${NODE} "${WEB}")
    endif()
    execute_process(COMMAND ${command} ${run_options} RESULT_VARIABLE status_${side}
                    ERROR_VARIABLE errors_${side})
  endforeach()
  if(NOT status_native STREQUAL status_web)
    message(SEND_ERROR "${name}: exit status ${status_native} natively, ${status_web} under node\n"
                       "${errors_web}")
    math(EXPR failures "${failures} + 1")
    continue()
  endif()
  file(GLOB_RECURSE produced RELATIVE "${OUT}/${name}/native" "${OUT}/${name}/native/*.png"
       "${OUT}/${name}/native/*.json")
  foreach(file IN LISTS produced)
    execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${OUT}/${name}/native/${file}"
                            "${OUT}/${name}/web/${file}" RESULT_VARIABLE differs)
    if(NOT differs EQUAL 0)
      message(SEND_ERROR "${name}: ${file} differs between ${OUT}/${name}/native and web")
      math(EXPR failures "${failures} + 1")
    endif()
  endforeach()
  list(LENGTH produced count)
  message(STATUS "${name}: ${count} files byte-identical")
endforeach()
if(failures GREATER 0)
  message(FATAL_ERROR "${failures} differences between the native and the node runs")
endif()
