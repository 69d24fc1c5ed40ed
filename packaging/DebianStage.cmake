# Run by CPack (CPACK_PRE_BUILD_SCRIPTS) on the installed tree of the Debian package, before
# the package is made from it: adds Debian's copyright and changelog files and strips the
# static libraries' debug information, as Debian does for its own -dev packages (what
# programs link stays small; the runner's debug information goes to nuvik-dbgsym).
foreach(required CPACK_TEMPORARY_INSTALL_DIRECTORY CPACK_PACKAGING_INSTALL_PREFIX
                 CPACK_NUVIK_DEBIAN_COPYRIGHT CPACK_NUVIK_DEBIAN_CHANGELOG CPACK_NUVIK_STRIP)
  if(NOT DEFINED ${required})
    message(FATAL_ERROR "DebianStage.cmake: ${required} is not set")
  endif()
endforeach()
set(root "${CPACK_TEMPORARY_INSTALL_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}")
if(NOT IS_DIRECTORY "${root}/share/doc/nuvik")
  message(FATAL_ERROR "DebianStage.cmake: ${root}/share/doc/nuvik is not there")
endif()

file(COPY_FILE "${CPACK_NUVIK_DEBIAN_COPYRIGHT}" "${root}/share/doc/nuvik/copyright")
# A native package's changelog, compressed without a name or time stamp.
find_program(gzip gzip REQUIRED)
file(COPY_FILE "${CPACK_NUVIK_DEBIAN_CHANGELOG}" "${root}/share/doc/nuvik/changelog")
execute_process(COMMAND "${gzip}" -9nf "${root}/share/doc/nuvik/changelog"
                COMMAND_ERROR_IS_FATAL ANY)

file(GLOB archives "${root}/lib/nuvik/*.a")
if(NOT archives)
  message(FATAL_ERROR "DebianStage.cmake: no static library under ${root}/lib/nuvik")
endif()
foreach(archive IN LISTS archives)
  execute_process(COMMAND "${CPACK_NUVIK_STRIP}" --strip-debug "${archive}"
                  COMMAND_ERROR_IS_FATAL ANY)
endforeach()
