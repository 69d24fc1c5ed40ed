# Run by CPack (CPACK_POST_BUILD_SCRIPTS) on the packages it made: mends the -dbgsym package
# CPack's DEB generator writes. Its md5sums name each debug file by its absolute path in this
# build's staging folder, so that dpkg --verify reports every file missing and the package
# carries the build machine's path; and it has no documentation folder. The sums get the
# package-relative paths dpkg expects, and /usr/share/doc/nuvik-dbgsym points at nuvik's
# folder (copyright and changelog), as in Debian's own -dbgsym packages.
find_program(dpkg_deb dpkg-deb REQUIRED)
set(debug_package)
foreach(package IN LISTS CPACK_PACKAGE_FILES)
  if(package MATCHES "-dbgsym_[^/]*\\.ddeb$")
    set(debug_package "${package}")
  endif()
endforeach()
if(NOT debug_package)
  message(FATAL_ERROR "DebianDebugPackage.cmake: no -dbgsym package among ${CPACK_PACKAGE_FILES}")
endif()

get_filename_component(tree "${debug_package}" DIRECTORY)
set(tree "${tree}/dbgsym-mended")
file(REMOVE_RECURSE "${tree}")
execute_process(COMMAND "${dpkg_deb}" --raw-extract "${debug_package}" "${tree}"
                COMMAND_ERROR_IS_FATAL ANY)
file(STRINGS "${tree}/DEBIAN/md5sums" sums)
set(mended)
foreach(line IN LISTS sums)
  if(NOT line MATCHES "^([0-9a-f]+)  .*/(usr/lib/debug/.+)$")
    message(FATAL_ERROR "DebianDebugPackage.cmake: unexpected md5sums line '${line}'")
  endif()
  string(APPEND mended "${CMAKE_MATCH_1}  ${CMAKE_MATCH_2}\n")
endforeach()
file(WRITE "${tree}/DEBIAN/md5sums" "${mended}")
file(MAKE_DIRECTORY "${tree}/usr/share/doc")
file(CREATE_LINK "${CPACK_PACKAGE_NAME}" "${tree}/usr/share/doc/${CPACK_PACKAGE_NAME}-dbgsym"
     SYMBOLIC)
execute_process(COMMAND "${dpkg_deb}" --root-owner-group --build "${tree}" "${debug_package}"
                OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
file(REMOVE_RECURSE "${tree}")
