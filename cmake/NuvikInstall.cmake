# Installing the runner and the SDK: `cmake --install` puts the runner (carrying the demo),
# the golden comparison tool, <nuvik/sdk.h>, the static libraries and the CMake package
# (find_package(Nuvik)) under the prefix; `cpack` makes a Debian package of the same.
include(CMakePackageConfigHelpers)

set(NUVIK_VERSION ${PROJECT_VERSION})
set(nuvik_cmake_dir lib/cmake/Nuvik)

set(nuvik_libraries nuvik_main app sdk nuvik_sdk_headers controls forms draw event frame assets
                    win32)
if(NOT NUVIK_NATIVE_WIN32)
  list(APPEND nuvik_libraries host)
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

# The Debian package; the Windows build packages its own ZIP (cmake/NuvikWindows.cmake).
if(NOT NUVIK_NATIVE_WIN32)
  set(CPACK_PACKAGE_NAME nuvik)
  set(CPACK_PACKAGE_VERSION ${NUVIK_VERSION})
  set(CPACK_PACKAGE_VENDOR "Nuvik runner developers")
  set(CPACK_PACKAGE_CONTACT "Nuvik runner developers <nuvik@localhost>")
  set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
      "Runner and SDK for Nuvik handheld console programs")
  set(CPACK_PACKAGE_DESCRIPTION
      "The runner shows a Nuvik program's 320 x 240 screen in a picture of the console, in a \
  window or headless for tests. The SDK part (header, static libraries, CMake package) builds \
  programs into runners of their own and tests them against golden pictures.")
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
  set(CPACK_GENERATOR DEB)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_STRIP_FILES ON)
  set(CPACK_DEBIAN_PACKAGE_SECTION devel)
  # The shared libraries the runner loads are read off its ELF file by dpkg-shlibdeps; the
  # font its text is drawn with is a dependency no file names.
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-unifont")
  # Building programs against the SDK needs a compiler and the libraries' development files.
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
      "cmake (>= 3.25), g++, pkg-config, libsdl2-dev, libfreetype-dev, libfontconfig-dev, libpng-dev, libgif-dev")
  include(CPack)
endif()
