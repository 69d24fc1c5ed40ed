# Man pages for the commands in bin/, made at build time by help2man from each command's own
# --help and --version, so that they say what the built binary says.
find_program(NUVIK_HELP2MAN help2man)
find_program(NUVIK_GZIP gzip)
if(NOT NUVIK_HELP2MAN OR NOT NUVIK_GZIP)
  message(WARNING "help2man or gzip not found: no man pages are made or installed "
                  "(apt-get install help2man)")
  return()
endif()

set(nuvik_man_dir "${CMAKE_CURRENT_BINARY_DIR}/man")
file(MAKE_DIRECTORY "${nuvik_man_dir}")
set(nuvik_man_pages)
# COMMAND|what it does, for the page's NAME line.
foreach(entry IN ITEMS "nuvik|run Nuvik SDK programs on the desktop or headless"
                       "nuvik-new|make a new Nuvik program project with a golden test")
  string(REPLACE "|" ";" entry "${entry}")
  list(GET entry 0 command)
  list(GET entry 1 summary)
  if(command STREQUAL "nuvik")
    set(executable "$<TARGET_FILE:nuvik>")
    set(depends nuvik)
  else()
    set(executable "${CMAKE_CURRENT_BINARY_DIR}/${command}")
    set(depends "${executable}")
  endif()
  set(page "${nuvik_man_dir}/${command}.1")
  # gzip -n: no name or time stamp in the archive, so the same page gives the same bytes.
  add_custom_command(OUTPUT "${page}.gz"
    COMMAND "${NUVIK_HELP2MAN}" --no-info --section=1 "--name=${summary}"
            "--output=${page}" "${executable}"
    COMMAND "${NUVIK_GZIP}" -9nf "${page}"
    DEPENDS ${depends}
    COMMENT "Making the man page of ${command} from its --help"
    VERBATIM)
  list(APPEND nuvik_man_pages "${page}.gz")
endforeach()
add_custom_target(nuvik_man_pages ALL DEPENDS ${nuvik_man_pages})
install(FILES ${nuvik_man_pages} DESTINATION share/man/man1)
unset(entry)
unset(command)
unset(summary)
unset(executable)
unset(depends)
unset(page)
