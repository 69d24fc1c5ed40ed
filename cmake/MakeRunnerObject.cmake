# Makes the runner that programs link: every library of the runner in one relocatable object
# whose only global names are the SDK's, main(), what the built-in demo calls below the SDK,
# and the weak definitions of inline code (which must stay shareable). Everything else the
# runner defines (FrameCounter, MainWin, DDraw, ...) becomes local to the object, so a
# program may give its own globals any name that is not the SDK's.
#
# cmake -DLINKER=ld -DNM=nm -DOBJCOPY=objcopy -DOUTPUT=nuvik-runner.o
#       -DSDK_ARCHIVE=libsdk.a -DDEMO_ARCHIVE=libdemo.a "-DARCHIVES=a.a|b.a|..." -P this
foreach(required LINKER NM OBJCOPY OUTPUT SDK_ARCHIVE DEMO_ARCHIVE ARCHIVES)
  if(NOT DEFINED ${required})
    message(FATAL_ERROR "MakeRunnerObject.cmake: ${required} is not set")
  endif()
endforeach()

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT status EQUAL 0)
    list(JOIN ARGN " " command)
    message(FATAL_ERROR "${command} failed (${status}): ${err}")
  endif()
  set(run_output "${out}" PARENT_SCOPE)
endfunction()

# Symbol names of `nm -P` lines whose type is in `types`.
function(symbols_of text types result)
  string(REPLACE "\n" ";" lines "${text}")
  set(names "")
  foreach(line IN LISTS lines)
    if(line MATCHES "^([^ ]+) ([${types}])( |$)")
      list(APPEND names "${CMAKE_MATCH_1}")
    endif()
  endforeach()
  set(${result} "${names}" PARENT_SCOPE)
endfunction()

string(REPLACE "|" ";" ARCHIVES "${ARCHIVES}")
set(merged "${OUTPUT}.all.o")
run("${LINKER}" -r -o "${merged}" --whole-archive ${ARCHIVES} --no-whole-archive)

run("${NM}" -P -g --defined-only "${SDK_ARCHIVE}")
symbols_of("${run_output}" "TDBRV" sdk_names)
run("${NM}" -P -u "${DEMO_ARCHIVE}")
symbols_of("${run_output}" "Uw" demo_needs)
run("${NM}" -P -g --defined-only "${merged}")
symbols_of("${run_output}" "WVuv" shareable)

set(keep ${sdk_names} main ${demo_needs} ${shareable})
list(REMOVE_DUPLICATES keep)
list(JOIN keep "\n" keep_text)
file(WRITE "${OUTPUT}.keep" "${keep_text}\n")
run("${OBJCOPY}" "--keep-global-symbols=${OUTPUT}.keep" "${merged}" "${OUTPUT}")
file(REMOVE "${merged}")
