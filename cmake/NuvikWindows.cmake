# The Windows executable a user takes: nuvik.exe linked statically against the compiler's
# run-time libraries (libgcc, libstdc++, winpthread) so that it imports only system DLLs, with
# version information compiled by windres, packed into nuvik-VERSION-win64.zip by the `package`
# target (CPack) with a short how-to-run text, the licence and the notices of the run-time
# libraries linked into it. Also the conformance tests built for Windows (conformance.exe),
# which ./test runs under Wine.
if(NOT NUVIK_NATIVE_WIN32)
  return()
endif()

option(NUVIK_BUILD_CONFORMANCE "Build conformance.exe, the Win32 conformance tests" ON)
if(NUVIK_BUILD_CONFORMANCE)
  add_subdirectory("${CMAKE_SOURCE_DIR}/tests/conformance" "${CMAKE_BINARY_DIR}/tests/conformance")
endif()

if(NOT TARGET nuvik)
  return()
endif()

# The runner's version is the project's.
if(NOT PROJECT_VERSION)
  message(FATAL_ERROR "project() gives no VERSION for the Windows version information")
endif()
set(NUVIK_WINDOWS_VERSION "${PROJECT_VERSION}")
string(REPLACE "." ";" version_parts "${NUVIK_WINDOWS_VERSION}.0.0.0")
list(SUBLIST version_parts 0 4 version_parts)
list(JOIN version_parts "," NUVIK_WINDOWS_VERSION_COMMAS)

set(version_script "${CMAKE_BINARY_DIR}/windows/nuvik-version.rc")
set(version_object "${CMAKE_BINARY_DIR}/windows/nuvik-version.rc.o")
configure_file("${CMAKE_SOURCE_DIR}/app/windows/nuvik-version.rc.in" "${version_script}" @ONLY)
add_custom_command(OUTPUT "${version_object}"
  COMMAND "${CMAKE_RC_COMPILER}" -O coff -i "${version_script}" -o "${version_object}"
  DEPENDS "${version_script}"
  COMMENT "Compiling nuvik.exe's version information"
  VERBATIM)
add_custom_target(nuvik_version_resource DEPENDS "${version_object}")
get_target_property(nuvik_source_dir nuvik SOURCE_DIR)
set_source_files_properties("${version_object}" DIRECTORY "${nuvik_source_dir}"
                            PROPERTIES EXTERNAL_OBJECT TRUE GENERATED TRUE)
target_sources(nuvik PRIVATE "${version_object}")
add_dependencies(nuvik nuvik_version_resource)
target_link_options(nuvik PRIVATE -static -static-libgcc -static-libstdc++)

install(TARGETS nuvik RUNTIME DESTINATION . COMPONENT windows_package)
install(FILES "${CMAKE_SOURCE_DIR}/app/windows/HOW-TO-RUN.txt"
              "${CMAKE_SOURCE_DIR}/app/windows/THIRD-PARTY-NOTICES.txt"
        DESTINATION . COMPONENT windows_package)
# The licence, as a text file Windows opens with a double click.
install(FILES "${CMAKE_SOURCE_DIR}/LICENSE" DESTINATION . RENAME LICENSE.txt
        COMPONENT windows_package)
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME nuvik)
set(CPACK_PACKAGE_VERSION "${NUVIK_WINDOWS_VERSION}")
set(CPACK_PACKAGE_FILE_NAME "nuvik-${NUVIK_WINDOWS_VERSION}-win64")
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_ARCHIVE_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL windows_package)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
set(CPACK_COMPONENT_INCLUDE_TOPLEVEL_DIRECTORY OFF)
include(CPack)
