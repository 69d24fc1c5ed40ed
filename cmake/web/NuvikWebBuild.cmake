# The runner's own tree built for the web (presets web-node and web): the C libraries come
# from tools/web-deps.sh's cache, the page's font is Unifont cut down to what CP949 can name,
# and programs link as NuvikWeb.cmake says.

set(NUVIK_WEB_SYSROOT "${CMAKE_SOURCE_DIR}/build/web-deps/sysroot" CACHE PATH
    "Where tools/web-deps.sh put the libraries built for wasm")
if(NOT EXISTS "${NUVIK_WEB_SYSROOT}/.built-by-web-deps-3")
  message(STATUS "Building the libraries for wasm (tools/web-deps.sh, once per machine)")
  execute_process(COMMAND "${CMAKE_SOURCE_DIR}/tools/web-deps.sh" "${NUVIK_WEB_SYSROOT}"
                  RESULT_VARIABLE deps_result)
  if(NOT deps_result EQUAL 0)
    message(FATAL_ERROR "tools/web-deps.sh failed")
  endif()
endif()
list(APPEND CMAKE_FIND_ROOT_PATH "${NUVIK_WEB_SYSROOT}")
set(ENV{PKG_CONFIG_LIBDIR} "${NUVIK_WEB_SYSROOT}/lib/pkgconfig")
set(ENV{PKG_CONFIG_PATH} "")

include("${CMAKE_SOURCE_DIR}/cmake/web/NuvikWeb.cmake")
set(NUVIK_WEB_PAGE_DIR "${CMAKE_SOURCE_DIR}/host/web/page")

# Every C++ file: the forms framework throws, and catches at its message loop.
string(APPEND CMAKE_CXX_FLAGS " -fexceptions")
string(APPEND CMAKE_EXE_LINKER_FLAGS " -fexceptions")
# Under node every executable (the tests too) works on the machine's own files.
if(NUVIK_WEB_TARGET STREQUAL "node")
  string(APPEND CMAKE_EXE_LINKER_FLAGS
         " -sNODERAWFS=1 -sENVIRONMENT=node -sALLOW_MEMORY_GROWTH=1 -sEXIT_RUNTIME=1"
         " -sGLOBAL_BASE=65536")
endif()

# The font: every character a CP949 text can hold, from Debian's Unifont.
find_program(NUVIK_PYFTSUBSET pyftsubset REQUIRED)
set(NUVIK_UNIFONT "/usr/share/fonts/opentype/unifont/unifont.otf" CACHE FILEPATH
    "Unifont, the font the page's subset is cut from")
set(NUVIK_WEB_FONT "${CMAKE_BINARY_DIR}/fonts/unifont.otf")
add_custom_command(OUTPUT "${NUVIK_WEB_FONT}"
  COMMAND "${CMAKE_COMMAND}" -E make_directory "${CMAKE_BINARY_DIR}/fonts"
  COMMAND "${NUVIK_PYTHON3}" "${CMAKE_SOURCE_DIR}/cmake/web/cp949_repertoire.py"
          "${CMAKE_BINARY_DIR}/fonts/cp949-unicodes.txt"
  COMMAND "${NUVIK_PYFTSUBSET}" "${NUVIK_UNIFONT}"
          "--unicodes-file=${CMAKE_BINARY_DIR}/fonts/cp949-unicodes.txt"
          --no-prune-unicode-ranges "--output-file=${NUVIK_WEB_FONT}"
  DEPENDS "${CMAKE_SOURCE_DIR}/cmake/web/cp949_repertoire.py"
  COMMENT "Unifont cut down to CP949's repertoire" VERBATIM)
add_custom_target(nuvik_web_font ALL DEPENDS "${NUVIK_WEB_FONT}")

# Under node the runner reads the font where the build put it.
if(NUVIK_WEB_TARGET STREQUAL "node")
  set(NUVIK_WEB_FONT_DIR "${CMAKE_BINARY_DIR}/fonts")
else()
  set(NUVIK_WEB_FONT_DIR "/fonts")
endif()

# The resource embedder runs on the build machine: built here with the machine's compiler
# (tools/ itself is not built for wasm), and known to the build as the target that
# assets/CMakeLists.txt runs.
set(host_tools "${CMAKE_BINARY_DIR}/host-tools")
set(embedder "${host_tools}/embed_resources")
set(embedder_sources embed_resources.cpp Bytes.cpp DibDecoding.cpp DibEncoding.cpp
    IconFiles.cpp IndexedImage.cpp Manifest.cpp RegistrationSource.cpp)
list(TRANSFORM embedder_sources PREPEND "${CMAKE_SOURCE_DIR}/tools/")
set(newest_source 0)
foreach(source IN LISTS embedder_sources)
  file(TIMESTAMP "${source}" stamp "%s" UTC)
  if(stamp GREATER newest_source)
    set(newest_source ${stamp})
  endif()
endforeach()
set(built 0)
if(EXISTS "${embedder}")
  file(TIMESTAMP "${embedder}" built "%s" UTC)
endif()
if(built LESS newest_source)
  file(MAKE_DIRECTORY "${host_tools}/include")
  if(NOT EXISTS "${host_tools}/include/tools")
    file(CREATE_LINK "${CMAKE_SOURCE_DIR}/tools" "${host_tools}/include/tools" SYMBOLIC)
  endif()
  message(STATUS "Building the resource embedder for this machine")
  execute_process(COMMAND c++ -std=c++20 -O1 "-I${host_tools}/include" ${embedder_sources}
                          -o "${embedder}"
                  RESULT_VARIABLE embedder_result)
  if(NOT embedder_result EQUAL 0)
    message(FATAL_ERROR "cannot build the resource embedder with the machine's c++")
  endif()
endif()
add_executable(embed_resources IMPORTED GLOBAL)
set_target_properties(embed_resources PROPERTIES IMPORTED_LOCATION "${embedder}")

# The tests that run under node are added once every target exists.
cmake_language(DEFER DIRECTORY "${CMAKE_SOURCE_DIR}" CALL include
               "${CMAKE_SOURCE_DIR}/cmake/web/NuvikWebTests.cmake")
