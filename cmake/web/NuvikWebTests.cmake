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
include(GoogleTest)
add_subdirectory("${CMAKE_SOURCE_DIR}/tests/support" "${CMAKE_BINARY_DIR}/tests/support")
set(tests "${CMAKE_SOURCE_DIR}/tests")
foreach(layer frame event draw forms)
  file(GLOB sources CONFIGURE_DEPENDS "${tests}/${layer}/*.cpp")
  nuvik_test(NAME test_${layer} SOURCES ${sources} DEPS ${layer} TIMEOUT 300)
endforeach()
foreach(part core gdi ddraw user)
  file(GLOB sources CONFIGURE_DEPENDS "${tests}/win32/${part}/*.cpp")
  list(REMOVE_ITEM sources "${tests}/win32/gdi/TextTest.cpp")
  nuvik_test(NAME test_win32_${part} SOURCES ${sources} DEPS win32 TIMEOUT 300)
endforeach()
target_include_directories(test_win32_core PRIVATE "${CMAKE_SOURCE_DIR}/win32")
target_sources(test_win32_user PRIVATE "${tests}/conformance/MessageNames.cpp")
target_include_directories(test_win32_user PRIVATE "${tests}/conformance")
