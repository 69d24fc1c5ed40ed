# A program whose set-up returns 0 is reported on standard error and in the report, and the
# report shows that it never presented a frame.
set(report "${WORK_DIR}/refusing-report.json")
execute_process(
  COMMAND "${PROGRAM}" --headless --virtual-clock --run-for=50 "--report=${report}"
  RESULT_VARIABLE status ERROR_VARIABLE errors)
file(READ "${report}" json)
foreach(expected IN ITEMS "\"frames_presented\": 0" "\"frame_step\": 1000"
                          "set-up returned 0")
  string(FIND "${json}" "${expected}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the report lacks ${expected}: ${json}")
  endif()
endforeach()
string(FIND "${errors}" "set-up returned 0" at)
if(at EQUAL -1)
  message(FATAL_ERROR "standard error does not say that the set-up returned 0: ${errors}")
endif()
