# The web install (`cmake --install` of the web preset): besides what every install holds, the
# libraries built for wasm with their pkg-config files (found again by NuvikConfig.cmake), the
# CMake code that turns a program into a page, the page's shell and script, and its font.
set(nuvik_web_dir lib/nuvik/web)
install(DIRECTORY "${NUVIK_WEB_SYSROOT}/lib/" DESTINATION ${nuvik_web_dir}/lib
        FILES_MATCHING PATTERN "*.a" PATTERN "cmake" EXCLUDE PATTERN "libgtest*" EXCLUDE)
install(DIRECTORY "${NUVIK_WEB_SYSROOT}/include/" DESTINATION ${nuvik_web_dir}/include
        PATTERN "gtest" EXCLUDE)
# The pkg-config files name the build's cache as their prefix: installed, they name their own.
foreach(module zlib libpng libpng16 freetype2 libgif)
  file(READ "${NUVIK_WEB_SYSROOT}/lib/pkgconfig/${module}.pc" text)
  string(REGEX REPLACE "(^|\n)prefix=[^\n]*" "\\1prefix=\${pcfiledir}/../.." text "${text}")
  string(REPLACE "${NUVIK_WEB_SYSROOT}" "\${prefix}" text "${text}")
  file(WRITE "${CMAKE_BINARY_DIR}/web-pkgconfig/${module}.pc" "${text}")
endforeach()
install(DIRECTORY "${CMAKE_BINARY_DIR}/web-pkgconfig/" DESTINATION ${nuvik_web_dir}/lib/pkgconfig)
install(FILES cmake/web/NuvikWeb.cmake cmake/web/cp949_literals.py
        DESTINATION ${nuvik_cmake_dir}/web)
install(FILES host/web/page/shell.html host/web/page/nuvik-page.js
        DESTINATION ${nuvik_cmake_dir}/web/page)
install(FILES "${NUVIK_WEB_FONT}" DESTINATION share/nuvik/fonts)
