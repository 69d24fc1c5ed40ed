# The Debian package, `cpack -G DEB` in the build folder: nuvik_VERSION_ARCH.deb with the runner
# and the SDK under /usr, and nuvik-dbgsym_VERSION_ARCH.ddeb with the runner's debug information
# (found by build ID, as Debian's own -dbgsym packages are), both made by `cpack -G DEB`.
# packaging/DebianStage.cmake adds the copyright and changelog files, strips the executables into
# the -dbgsym package and strips the debug information of what programs link.
set(NUVIK_PACKAGE_MAINTAINER "The Nuvik runner developers <nuvik-runner@users.noreply.invalid>"
    CACHE STRING "Maintainer of the Debian package: Name <address>")

# The Debian changelog's latest entry names the version it describes.
file(STRINGS packaging/changelog.in nuvik_changelog_head LIMIT_COUNT 1)
if(NOT nuvik_changelog_head MATCHES "^nuvik \\(${PROJECT_VERSION}\\) ")
  message(FATAL_ERROR "packaging/changelog.in begins with '${nuvik_changelog_head}': add an "
                      "entry for version ${PROJECT_VERSION} at its top")
endif()
configure_file(packaging/changelog.in "${CMAKE_CURRENT_BINARY_DIR}/packaging/changelog" @ONLY)

set(CPACK_PACKAGE_NAME nuvik)
set(CPACK_PACKAGE_VERSION ${NUVIK_VERSION})
set(CPACK_PACKAGE_VENDOR "The Nuvik runner developers")
set(CPACK_PACKAGE_CONTACT "${NUVIK_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The first line is the summary; the rest is the extended description, one paragraph.
string(JOIN "\n" CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "runner and SDK for Nuvik handheld console programs"
  "The runner shows a Nuvik program's 320 x 240 screen in a picture of the"
  "console, in a window, full screen, or headless with a virtual clock for"
  "reproducible tests. The SDK (a C++ header, the runner as one object to link"
  "programs with, and a CMake package) builds programs into runners of their"
  "own and tests them against golden pictures; nuvik-new starts a project with"
  "a golden test and a CI workflow. The SDK's guide and examples are in"
  "/usr/share/doc/nuvik.")
# The runner's shared libraries are read off its ELF file by dpkg-shlibdeps; the font its text
# is drawn with is a dependency no file names.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-unifont")
# Building programs against the SDK needs a compiler and the libraries' development files.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "cmake (>= 3.25), g++, pkg-config, libsdl2-dev, libfreetype-dev, libfontconfig-dev, libpng-dev, libgif-dev")
# packaging/DebianStage.cmake strips the executables and keeps their debug information for the
# -dbgsym package (CPACK_STRIP_FILES would strip it before it could be kept).
set(CPACK_STRIP_FILES OFF)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
                                                GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_PRE_BUILD_SCRIPTS "${CMAKE_CURRENT_SOURCE_DIR}/packaging/DebianStage.cmake")
set(NUVIK_DEBIAN_COPYRIGHT "${CMAKE_CURRENT_SOURCE_DIR}/packaging/copyright")
set(NUVIK_DEBIAN_CHANGELOG "${CMAKE_CURRENT_BINARY_DIR}/packaging/changelog")
set(CPACK_NUVIK_DEBIAN_COPYRIGHT "${NUVIK_DEBIAN_COPYRIGHT}")
set(CPACK_NUVIK_DEBIAN_CHANGELOG "${NUVIK_DEBIAN_CHANGELOG}")
set(CPACK_NUVIK_STRIP "${CMAKE_STRIP}")
set(CPACK_NUVIK_OBJCOPY "${CMAKE_OBJCOPY}")
set(CPACK_NUVIK_READELF "${CMAKE_READELF}")
include(CPack)
