# Building Nuvik programs for the web with emscripten; included by NuvikLayers.cmake and
# NuvikProgram.cmake when the compiler is emscripten's, in the runner's own tree and in the
# installed package alike.
#
#   NUVIK_WEB_TARGET = page (default): a program becomes NAME.html, one self-contained page.
#                      node: a program becomes NAME.js, the runner under node (tests).

set(NUVIK_WEB_MODULE_DIR "${CMAKE_CURRENT_LIST_DIR}")
set(NUVIK_WEB_TARGET "page" CACHE STRING "What programs become on the web: page or node")
set_property(CACHE NUVIK_WEB_TARGET PROPERTY STRINGS page node)
find_program(NUVIK_PYTHON3 python3 REQUIRED)

# emcc's linker runs a JavaScript optimiser that needs Debian's acorn, which node finds only
# when told where Debian keeps its modules.
foreach(language C CXX)
  if(NOT CMAKE_${language}_LINKER_LAUNCHER)
    set(CMAKE_${language}_LINKER_LAUNCHER env NODE_PATH=/usr/share/nodejs)
  endif()
endforeach()

# Clang keeps string literals in UTF-8 only: the target compiles copies of its C++ sources in
# which non-ASCII text is written as the escapes of its CP949 bytes (what GCC's
# -fexec-charset=CP949 makes of it). Quoted includes still find the original folders.
function(nuvik_web_cp949 target)
  get_target_property(sources ${target} SOURCES)
  get_target_property(source_dir ${target} SOURCE_DIR)
  get_target_property(binary_dir ${target} BINARY_DIR)
  set(converted)
  set(folders)
  foreach(source IN LISTS sources)
    cmake_path(ABSOLUTE_PATH source BASE_DIRECTORY "${source_dir}" NORMALIZE
               OUTPUT_VARIABLE absolute)
    if(NOT absolute MATCHES "\\.(cpp|cc|cxx)$")
      list(APPEND converted "${absolute}")
      continue()
    endif()
    cmake_path(RELATIVE_PATH absolute BASE_DIRECTORY "${source_dir}" OUTPUT_VARIABLE relative)
    string(REPLACE "../" "up/" relative "${relative}")
    set(output "${binary_dir}/cp949/${target}/${relative}")
    add_custom_command(OUTPUT "${output}"
      COMMAND "${NUVIK_PYTHON3}" "${NUVIK_WEB_MODULE_DIR}/cp949_literals.py" "${absolute}" "${output}"
      DEPENDS "${absolute}" "${NUVIK_WEB_MODULE_DIR}/cp949_literals.py"
      COMMENT "CP949 literals of ${relative}" VERBATIM)
    list(APPEND converted "${output}")
    cmake_path(GET absolute PARENT_PATH folder)
    list(APPEND folders "${folder}")
  endforeach()
  set_property(TARGET ${target} PROPERTY SOURCES ${converted})
  list(REMOVE_DUPLICATES folders)
  foreach(folder IN LISTS folders)
    target_compile_options(${target} PRIVATE "SHELL:-iquote \"${folder}\"")
  endforeach()
endfunction()

# The link of a program: under node the runner with the machine's files; for the page one HTML
# file holding the program, the page's script and the font.
function(nuvik_web_program NAME)
  set(common -fexceptions -sALLOW_MEMORY_GROWTH=1 -sEXIT_RUNTIME=1
    # Static data starts at 64 KiB, as in a Windows process: a text's address is never
    # mistaken for a resource number.
    -sGLOBAL_BASE=65536)
  # In the runner's own tree the font is made by the build.
  if(TARGET nuvik_web_font)
    add_dependencies(${NAME} nuvik_web_font)
  endif()
  if(NUVIK_WEB_TARGET STREQUAL "node")
    set_target_properties(${NAME} PROPERTIES SUFFIX ".js")
    target_link_options(${NAME} PRIVATE ${common} -sNODERAWFS=1 -sENVIRONMENT=node)
    return()
  endif()
  if(NOT NUVIK_WEB_FONT)
    message(FATAL_ERROR "nuvik_web_program(${NAME}): NUVIK_WEB_FONT names no font")
  endif()
  if(NUVIK_WEB_PAGE_DIR)
    set(page_dir "${NUVIK_WEB_PAGE_DIR}")
  else()
    set(page_dir "${NUVIK_WEB_MODULE_DIR}/page")
  endif()
  set_target_properties(${NAME} PROPERTIES SUFFIX ".html")
  target_link_options(${NAME} PRIVATE ${common}
    -sENVIRONMENT=web -sSINGLE_FILE=1 -sASYNCIFY=1 -sINVOKE_RUN=0 -sMINIFY_HTML=0
    "-sASYNCIFY_IMPORTS=['nuvik_page_yield_until']"
    "-sEXPORTED_RUNTIME_METHODS=['FS','callMain']"
    "SHELL:--shell-file \"${page_dir}/shell.html\""
    "SHELL:--pre-js \"${page_dir}/nuvik-page.js\""
    "SHELL:--embed-file \"${NUVIK_WEB_FONT}@/fonts/unifont.otf\"")
  set_property(TARGET ${NAME} APPEND PROPERTY LINK_DEPENDS
    "${page_dir}/shell.html" "${page_dir}/nuvik-page.js" "${NUVIK_WEB_FONT}")
endfunction()
