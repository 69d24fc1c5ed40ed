# Building and testing programs written against the Nuvik SDK. The same file serves the
# runner's own tree (the demo) and the installed package (find_package(Nuvik)).
#
#   nuvik_add_program(NAME SOURCES a.cpp b.cpp ... [LITERALS CP949|UTF-8])
#     An executable that is the runner carrying the program in SOURCES, with every runner
#     option. The sources are UTF-8. LITERALS CP949 (the default) compiles their string
#     literals to the CP949 bytes PutText draws, which only GCC can do; LITERALS UTF-8 leaves
#     them UTF-8 (any compiler), and the program converts its texts with ToCp949. The program
#     builds as C++20 unless the project chose a standard (CMAKE_CXX_STANDARD, 17 or later).
#
#   nuvik_add_program_test(...): a golden-picture test of a program (NuvikProgramTest.cmake).

set(NUVIK_PROGRAM_MODULE_DIR "${CMAKE_CURRENT_LIST_DIR}")
if(EMSCRIPTEN)
  include("${CMAKE_CURRENT_LIST_DIR}/web/NuvikWeb.cmake")
endif()

function(nuvik_add_program NAME)
  cmake_parse_arguments(PARSE_ARGV 1 P "" "LITERALS" "SOURCES")
  if(NOT P_SOURCES)
    message(FATAL_ERROR "nuvik_add_program(${NAME}): SOURCES names no source file")
  endif()
  if(NOT DEFINED P_LITERALS)
    set(P_LITERALS CP949)
  endif()
  if(NOT P_LITERALS MATCHES "^(CP949|UTF-8)$")
    message(FATAL_ERROR "nuvik_add_program(${NAME}): LITERALS ${P_LITERALS} is neither CP949 "
                        "nor UTF-8")
  endif()
  # For the web, the CP949 literals are escaped before clang sees them (NuvikWeb.cmake).
  if(P_LITERALS STREQUAL "CP949" AND NOT CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND NOT EMSCRIPTEN)
    message(FATAL_ERROR "nuvik_add_program(${NAME}): ${CMAKE_CXX_COMPILER_ID} cannot compile "
      "string literals to CP949 (only GCC can). Add LITERALS UTF-8 and pass the program's "
      "texts through ToCp949 (docs/sdk.md, \"Texts\").")
  endif()
  add_executable(${NAME} ${P_SOURCES})
  target_link_libraries(${NAME} PRIVATE Nuvik::main)
  if(NOT DEFINED CMAKE_CXX_STANDARD)
    set_target_properties(${NAME} PROPERTIES CXX_STANDARD 20)
  endif()
  if(EMSCRIPTEN)
    if(P_LITERALS STREQUAL "CP949")
      nuvik_web_cp949(${NAME})
    endif()
    nuvik_web_program(${NAME})
    return()
  endif()
  if(P_LITERALS STREQUAL "CP949")
    # The console's texts are Korean Windows code page bytes, whatever the source encoding.
    target_compile_options(${NAME} PRIVATE -finput-charset=UTF-8 -fexec-charset=CP949)
  endif()
  if(WIN32)
    target_link_options(${NAME} PRIVATE -mwindows -static)
  endif()
endfunction()

include("${CMAKE_CURRENT_LIST_DIR}/NuvikProgramTest.cmake")
