# Run by CPack (CPACK_PRE_BUILD_SCRIPTS) on the installed tree of the Debian package, before the
# package is made from it. Adds Debian's copyright and changelog files; moves the executables'
# debug information into nuvik-dbgsym_VERSION_ARCH.ddeb (found by build ID, as with Debian's own
# -dbgsym packages) and strips them; strips the debug information of the runner's object and
# libraries, as Debian does for its -dev packages, so that what programs link stays small.
# (CPack's own debug packages cannot be used: they stop at the runner's relocatable object,
# which has no build ID, and they list their files in md5sums by build-machine paths.)
foreach(required CPACK_TEMPORARY_INSTALL_DIRECTORY CPACK_PACKAGING_INSTALL_PREFIX
                 CPACK_PACKAGE_DIRECTORY CPACK_PACKAGE_NAME CPACK_PACKAGE_VERSION
                 CPACK_PACKAGE_CONTACT CPACK_NUVIK_DEBIAN_COPYRIGHT CPACK_NUVIK_DEBIAN_CHANGELOG
                 CPACK_NUVIK_OBJCOPY CPACK_NUVIK_READELF CPACK_NUVIK_STRIP)
  if(NOT DEFINED ${required})
    message(FATAL_ERROR "DebianStage.cmake: ${required} is not set")
  endif()
endforeach()
find_program(gzip gzip REQUIRED)
find_program(dpkg dpkg REQUIRED)
find_program(dpkg_deb dpkg-deb REQUIRED)

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err
                  OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT status EQUAL 0)
    list(JOIN ARGN " " command)
    message(FATAL_ERROR "DebianStage.cmake: ${command} failed (${status}): ${err}")
  endif()
  set(run_output "${out}" PARENT_SCOPE)
endfunction()

set(package ${CPACK_PACKAGE_NAME})
set(root "${CPACK_TEMPORARY_INSTALL_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}")
set(doc "${root}/share/doc/${package}")
if(NOT IS_DIRECTORY "${doc}")
  message(FATAL_ERROR "DebianStage.cmake: ${doc} is not there")
endif()

file(COPY_FILE "${CPACK_NUVIK_DEBIAN_COPYRIGHT}" "${doc}/copyright")
# A native package's changelog, compressed without a name or time stamp.
file(COPY_FILE "${CPACK_NUVIK_DEBIAN_CHANGELOG}" "${doc}/changelog")
run("${gzip}" -9nf "${doc}/changelog")

# The executables: debug information to the -dbgsym tree under its build ID, the rest stripped
# (with the compiler's .comment) and linked to it.
set(debug_tree "${CPACK_TEMPORARY_INSTALL_DIRECTORY}-dbgsym")
file(REMOVE_RECURSE "${debug_tree}")
set(build_ids)
file(GLOB executables "${root}/bin/*")
foreach(executable IN LISTS executables)
  file(READ "${executable}" magic LIMIT 4 HEX)
  if(NOT magic STREQUAL "7f454c46")
    continue()  # a script
  endif()
  run("${CPACK_NUVIK_READELF}" -n "${executable}")
  if(NOT run_output MATCHES "Build ID: ([0-9a-f][0-9a-f])([0-9a-f]+)")
    message(FATAL_ERROR "DebianStage.cmake: ${executable} has no build ID")
  endif()
  list(APPEND build_ids "${CMAKE_MATCH_1}${CMAKE_MATCH_2}")
  set(debug_file "${debug_tree}/usr/lib/debug/.build-id/${CMAKE_MATCH_1}/${CMAKE_MATCH_2}.debug")
  get_filename_component(debug_dir "${debug_file}" DIRECTORY)
  file(MAKE_DIRECTORY "${debug_dir}")
  run("${CPACK_NUVIK_OBJCOPY}" --only-keep-debug --compress-debug-sections "${executable}"
      "${debug_file}")
  file(CHMOD "${debug_file}" PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
  run("${CPACK_NUVIK_STRIP}" --remove-section=.comment "${executable}")
  run("${CPACK_NUVIK_OBJCOPY}" "--add-gnu-debuglink=${debug_file}" "${executable}")
endforeach()
if(NOT build_ids)
  message(FATAL_ERROR "DebianStage.cmake: no executable under ${root}/bin")
endif()

file(GLOB linked "${root}/lib/${package}/*.a" "${root}/lib/${package}/*.o")
if(NOT linked)
  message(FATAL_ERROR "DebianStage.cmake: nothing for programs to link under ${root}/lib/${package}")
endif()
foreach(file IN LISTS linked)
  run("${CPACK_NUVIK_STRIP}" --strip-debug --remove-section=.comment "${file}")
endforeach()

# The -dbgsym package, beside the one CPack makes.
run("${dpkg}" --print-architecture)
set(architecture "${run_output}")
set(sums "")
file(GLOB_RECURSE debug_files RELATIVE "${debug_tree}" "${debug_tree}/*")
foreach(file IN LISTS debug_files)
  file(MD5 "${debug_tree}/${file}" sum)
  string(APPEND sums "${sum}  ${file}\n")
endforeach()
file(MAKE_DIRECTORY "${debug_tree}/usr/share/doc")
file(CREATE_LINK "${package}" "${debug_tree}/usr/share/doc/${package}-dbgsym" SYMBOLIC)
file(WRITE "${debug_tree}/DEBIAN/md5sums" "${sums}")
run(du -sk "${debug_tree}/usr")
string(REGEX MATCH "^[0-9]+" installed_kb "${run_output}")
list(JOIN build_ids " " build_ids)
file(WRITE "${debug_tree}/DEBIAN/control" "\
Package: ${package}-dbgsym
Version: ${CPACK_PACKAGE_VERSION}
Architecture: ${architecture}
Maintainer: ${CPACK_PACKAGE_CONTACT}
Installed-Size: ${installed_kb}
Depends: ${package} (= ${CPACK_PACKAGE_VERSION})
Section: debug
Priority: optional
Auto-Built-Package: debug-symbols
Build-Ids: ${build_ids}
Description: debug symbols for ${package}
")
set(debug_package
    "${CPACK_PACKAGE_DIRECTORY}/${package}-dbgsym_${CPACK_PACKAGE_VERSION}_${architecture}.ddeb")
run("${dpkg_deb}" --root-owner-group -Zxz --build "${debug_tree}" "${debug_package}")
message(STATUS "Debug package: ${debug_package}")
