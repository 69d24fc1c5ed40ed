# Installing the runner and the SDK: `cmake --install` puts the runner (carrying the demo),
# the golden comparison tool, <nuvik/sdk.h>, the runner that programs link (one pre-linked object
# on Linux, the static libraries on Windows) and the CMake package (find_package(Nuvik)) under the
# prefix, with the licence, the SDK's guide, the examples, the project template and `nuvik-new`,
# and the man pages; `cpack` makes a Debian package of the same (cmake/NuvikDebian.cmake).
include(CMakePackageConfigHelpers)

set(NUVIK_VERSION ${PROJECT_VERSION})
set(nuvik_cmake_dir lib/cmake/Nuvik)

if(NUVIK_NATIVE_WIN32 OR EMSCRIPTEN)
  set(nuvik_libraries nuvik_main app sdk nuvik_sdk_headers controls forms draw event frame assets
                      win32)
  if(EMSCRIPTEN)
    list(APPEND nuvik_libraries host)
  endif()
else()
  # Programs link the runner pre-linked into one object (app/CMakeLists.txt): the runner's
  # own libraries are not installed.
  set(nuvik_libraries nuvik_runner nuvik_sdk_headers)
  install(FILES "${NUVIK_RUNNER_OBJECT}" DESTINATION lib/nuvik)
endif()
# What is installed names no folder of the machine that built it: the debug information and
# file names in the runner's object, libraries and executables say nuvik-VERSION/draw/Surface.cpp,
# not this checkout's path. (gdb on this build: `set substitute-path nuvik-VERSION CHECKOUT`.)
if(NOT MSVC)
  # The build folder keeps its place under the sources' new name, so that a source named
  # relative to it (as ccache names them) still resolves: nuvik-VERSION/build/default/../../app.
  file(RELATIVE_PATH binary_in_source "${CMAKE_SOURCE_DIR}" "${CMAKE_BINARY_DIR}")
  if(binary_in_source MATCHES "^\\.\\.")
    set(mapped_binary_dir "nuvik-${NUVIK_VERSION}-build")
  else()
    set(mapped_binary_dir "nuvik-${NUVIK_VERSION}/${binary_in_source}")
  endif()
  foreach(compiled IN ITEMS nuvik_main app sdk assets controls forms draw event frame host win32
                            nuvik nuvik_golden nuvik_golden_check)
    if(TARGET ${compiled})
      get_target_property(compiled_type ${compiled} TYPE)
    endif()
    # win32 is an interface library on Windows (the real API): nothing of its own is compiled.
    if(TARGET ${compiled} AND NOT compiled_type STREQUAL "INTERFACE_LIBRARY")
      # GCC tries the last map first: the build folder (inside the checkout) before the rest.
      target_compile_options(${compiled} PRIVATE
        "-ffile-prefix-map=${CMAKE_SOURCE_DIR}=nuvik-${NUVIK_VERSION}"
        "-ffile-prefix-map=${CMAKE_BINARY_DIR}=${mapped_binary_dir}")
    endif()
  endforeach()
endif()
install(TARGETS ${nuvik_libraries} EXPORT NuvikTargets ARCHIVE DESTINATION lib/nuvik)
install(TARGETS nuvik RUNTIME DESTINATION bin)
if(TARGET nuvik_golden)
  install(TARGETS nuvik_golden EXPORT NuvikTargets RUNTIME DESTINATION bin)
endif()
if(NUVIK_RESOURCE_OBJECT)
  install(FILES "${NUVIK_RESOURCE_OBJECT}" DESTINATION lib/nuvik RENAME nuvik-resources.o)
endif()
install(DIRECTORY include/nuvik DESTINATION include)
install(EXPORT NuvikTargets NAMESPACE Nuvik:: DESTINATION ${nuvik_cmake_dir})
if(EMSCRIPTEN)
  include(cmake/web/NuvikWebInstall.cmake)
endif()

configure_package_config_file(cmake/NuvikConfig.cmake.in
  "${CMAKE_CURRENT_BINARY_DIR}/NuvikConfig.cmake" INSTALL_DESTINATION ${nuvik_cmake_dir})
write_basic_package_version_file("${CMAKE_CURRENT_BINARY_DIR}/NuvikConfigVersion.cmake"
  VERSION ${NUVIK_VERSION} COMPATIBILITY SameMinorVersion)
install(FILES "${CMAKE_CURRENT_BINARY_DIR}/NuvikConfig.cmake"
              "${CMAKE_CURRENT_BINARY_DIR}/NuvikConfigVersion.cmake"
              cmake/NuvikProgram.cmake cmake/NuvikProgramTest.cmake
        DESTINATION ${nuvik_cmake_dir})

# What a program author reads: the licence, the SDK's guide and the examples (sources, CMake
# files and goldens, each folder buildable on its own against the installed package).
set(nuvik_doc_dir share/doc/nuvik)
install(FILES LICENSE docs/sdk.md DESTINATION ${nuvik_doc_dir})
install(DIRECTORY examples/ DESTINATION ${nuvik_doc_dir}/examples
        PATTERN "*-ACTUAL.png" EXCLUDE PATTERN "*-DIFF.png" EXCLUDE)

# The Debian package; the Windows build packages its own ZIP (cmake/NuvikWindows.cmake), and
# the web install is a folder to build pages from.
if(NOT NUVIK_NATIVE_WIN32 AND NOT EMSCRIPTEN)
  include(cmake/NuvikNewProject.cmake)
  include(cmake/NuvikManPages.cmake)
  include(cmake/NuvikDebian.cmake)
endif()
