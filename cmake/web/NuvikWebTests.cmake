# The tests of the web build under node (preset web-node): the runner against the native one,
# byte for byte, and the unit tests of the platform-independent layers. The X11, SDL and Wine
# tests do not apply; the font test that starts a process of its own with a private fontconfig
# neither (the page has no fontconfig, and wasm no fork).
if(NOT NUVIK_WEB_TARGET STREQUAL "node")
  return()
endif()
enable_testing()

set(NUVIK_NATIVE_RUNNER "${CMAKE_SOURCE_DIR}/build/default/app/nuvik" CACHE FILEPATH
    "The native runner the node runs are compared with")
add_test(NAME web_node_runs_match_native
  COMMAND "${CMAKE_COMMAND}" "-DNATIVE=${NUVIK_NATIVE_RUNNER}"
          "-DNODE=${CMAKE_CROSSCOMPILING_EMULATOR}" "-DWEB=$<TARGET_FILE:nuvik>"
          "-DSCRIPTS=${CMAKE_SOURCE_DIR}/tests/web" "-DOUT=${CMAKE_BINARY_DIR}/node-vs-native"
          -P "${CMAKE_SOURCE_DIR}/tests/web/NodeMatchesNative.cmake")
set_tests_properties(web_node_runs_match_native PROPERTIES TIMEOUT 300)

find_package(GTest REQUIRED CONFIG)
set(tests "${CMAKE_SOURCE_DIR}/tests")
# The shared test helpers, as tests/support/CMakeLists.txt makes them (a deferred call cannot
# add a folder).
file(GLOB support_sources CONFIGURE_DEPENDS "${tests}/support/*.cpp")
add_library(nuvik_test_support STATIC ${support_sources})
target_include_directories(nuvik_test_support PUBLIC "${tests}")
target_link_libraries(nuvik_test_support PUBLIC win32 GTest::gtest)
nuvik_warnings(nuvik_test_support)
# One node process per binary: starting node costs more than most tests take.
function(nuvik_web_test NAME)
  cmake_parse_arguments(T "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${NAME} ${T_SOURCES})
  target_link_libraries(${NAME} PRIVATE ${T_DEPS} nuvik_test_support GTest::gtest GTest::gtest_main)
  # Linked without the optimiser's passes over the whole module: they cost more than they save.
  target_link_options(${NAME} PRIVATE -O0)
  nuvik_warnings(${NAME})
  add_test(NAME ${NAME} COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} "$<TARGET_FILE:${NAME}>"
           WORKING_DIRECTORY "${CMAKE_SOURCE_DIR}")
  set_tests_properties(${NAME} PROPERTIES TIMEOUT 300)
endfunction()
foreach(layer frame event draw forms)
  file(GLOB sources CONFIGURE_DEPENDS "${tests}/${layer}/*.cpp")
  nuvik_web_test(test_${layer} SOURCES ${sources} DEPS ${layer})
endforeach()
foreach(part core gdi ddraw user)
  file(GLOB sources CONFIGURE_DEPENDS "${tests}/win32/${part}/*.cpp")
  list(REMOVE_ITEM sources "${tests}/win32/gdi/TextTest.cpp")
  nuvik_web_test(test_win32_${part} SOURCES ${sources} DEPS win32)
endforeach()
target_include_directories(test_win32_core PRIVATE "${CMAKE_SOURCE_DIR}/win32")
target_sources(test_win32_user PRIVATE "${tests}/conformance/MessageNames.cpp")
target_include_directories(test_win32_user PRIVATE "${tests}/conformance")
