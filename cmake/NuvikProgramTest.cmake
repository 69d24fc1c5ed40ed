# One golden test of a program (see nuvik_add_program_test): run it headless, then compare
# the screen at its end with the golden. Run with cmake -P and the variables below.
foreach(required PROGRAM GOLDEN_CHECK OPTIONS GOLDEN SCREENSHOT REPORT)
  if(NOT DEFINED ${required})
    message(FATAL_ERROR "NuvikProgramTest.cmake: ${required} is not set")
  endif()
endforeach()
string(REPLACE "|" ";" options "${OPTIONS}")
file(REMOVE "${SCREENSHOT}")
execute_process(
  COMMAND "${PROGRAM}" ${options} "--screenshot=${SCREENSHOT}" "--report=${REPORT}"
  RESULT_VARIABLE run_status)
if(NOT EXISTS "${SCREENSHOT}")
  message(FATAL_ERROR "${PROGRAM} wrote no screenshot (exit status ${run_status})")
endif()

set(update_flag)
if("$ENV{NUVIK_UPDATE_GOLDENS}" STREQUAL "1")
  set(update_flag --update)
endif()
execute_process(
  COMMAND "${GOLDEN_CHECK}" "${SCREENSHOT}" "${GOLDEN}" ${update_flag}
  RESULT_VARIABLE check_status)
if(NOT check_status EQUAL 0)
  message(FATAL_ERROR "the golden check against ${GOLDEN} failed (above)")
endif()
if(NOT run_status EQUAL 0)
  message(FATAL_ERROR "${PROGRAM} ended with exit status ${run_status}; report: ${REPORT}")
endif()
