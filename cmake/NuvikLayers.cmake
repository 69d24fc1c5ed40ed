# Each top-level folder is one library target. A layer's headers are reachable as
# "<layer>/Header.h" only through an include root that holds a link to that layer alone,
# so a layer can include exactly the layers it links: an upward include fails to build.
# Installed, the layers carry no headers at all: programs see only the SDK's.

set(NUVIK_INCLUDE_ROOTS "${CMAKE_BINARY_DIR}/include-roots")

function(nuvik_include_root target layer_dir layer_name)
  set(root "${NUVIK_INCLUDE_ROOTS}/${layer_name}")
  file(MAKE_DIRECTORY "${root}")
  if(NOT EXISTS "${root}/${layer_name}")
    file(CREATE_LINK "${layer_dir}" "${root}/${layer_name}" SYMBOLIC)
  endif()
  target_include_directories(${target} PUBLIC "$<BUILD_INTERFACE:${root}>")
endfunction()

function(nuvik_warnings target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4)
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow
                                              -Wnon-virtual-dtor -Wcast-align)
    # GCC 12 at -O3 reports overlaps and overflows inside inlined std::string and std::vector
    # code that cannot happen (the bounds it names are impossible sizes); later GCCs do not.
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
      target_compile_options(${target} PRIVATE -Wno-restrict -Wno-stringop-overflow)
    endif()
  endif()
  if(NUVIK_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

# Texts the user sees are stored as CP949 bytes in the system's own layers.
function(nuvik_cp949 target)
  if(EMSCRIPTEN)
    nuvik_web_cp949(${target})
    return()
  endif()
  target_compile_options(${target} PRIVATE -finput-charset=UTF-8 -fexec-charset=CP949)
endfunction()

# nuvik_layer(NAME <name> SOURCES ... DEPS ... [CP949])
function(nuvik_layer)
  cmake_parse_arguments(L "CP949" "NAME" "SOURCES;DEPS" ${ARGN})
  if(NOT L_SOURCES)
    # A layer whose first sources have not arrived yet: headers only.
    add_library(${L_NAME} INTERFACE)
    set(root "${NUVIK_INCLUDE_ROOTS}/${L_NAME}")
    file(MAKE_DIRECTORY "${root}")
    if(NOT EXISTS "${root}/${L_NAME}")
      file(CREATE_LINK "${CMAKE_CURRENT_SOURCE_DIR}" "${root}/${L_NAME}" SYMBOLIC)
    endif()
    target_include_directories(${L_NAME} INTERFACE "$<BUILD_INTERFACE:${root}>")
    target_link_libraries(${L_NAME} INTERFACE ${L_DEPS})
    return()
  endif()
  add_library(${L_NAME} STATIC ${L_SOURCES})
  nuvik_include_root(${L_NAME} "${CMAKE_CURRENT_SOURCE_DIR}" ${L_NAME})
  target_link_libraries(${L_NAME} PUBLIC ${L_DEPS})
  nuvik_warnings(${L_NAME})
  if(L_CP949)
    nuvik_cp949(${L_NAME})
  endif()
endfunction()

# nuvik_test(NAME <binary> SOURCES ... DEPS ...): one GoogleTest binary per layer.
function(nuvik_test)
  # SERIAL: the tests measure real time, so ctest runs nothing beside them.
  cmake_parse_arguments(T "SERIAL" "NAME;TIMEOUT" "SOURCES;DEPS" ${ARGN})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 60)
  endif()
  set(serial FALSE)
  if(T_SERIAL)
    set(serial TRUE)
  endif()
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_DEPS} nuvik_test_support GTest::gtest GTest::gtest_main)
  nuvik_warnings(${T_NAME})
  gtest_discover_tests(${T_NAME}
    WORKING_DIRECTORY "${CMAKE_SOURCE_DIR}"
    PROPERTIES TIMEOUT ${T_TIMEOUT} RUN_SERIAL ${serial}
    DISCOVERY_TIMEOUT 60)
endfunction()
