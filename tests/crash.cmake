# Crash safety: a child process killed at every call that changes the file
# system (KillShim, preloaded), then the project opened again.
add_library(kestrava_kill_shim SHARED ${CMAKE_CURRENT_SOURCE_DIR}/crash/KillShim.cpp)
# Preloaded into any child: no sanitizer runtime of its own.
set_property(TARGET kestrava_kill_shim PROPERTY COMPILE_OPTIONS "")
set_property(TARGET kestrava_kill_shim PROPERTY LINK_OPTIONS "")
target_link_libraries(kestrava_kill_shim PRIVATE ${CMAKE_DL_LIBS})

add_executable(kestrava_crash_child ${CMAKE_CURRENT_SOURCE_DIR}/crash/CrashChild.cpp)
target_link_libraries(kestrava_crash_child PRIVATE kestrava_editor Qt6::Widgets)

add_executable(kestrava_crash_tests ${CMAKE_CURRENT_SOURCE_DIR}/crash/KillTest.cpp)
target_link_libraries(kestrava_crash_tests PRIVATE kestrava_test_support GTest::gtest_main)
target_compile_definitions(kestrava_crash_tests PRIVATE
  KESTRAVA_CRASH_CHILD="$<TARGET_FILE:kestrava_crash_child>"
  KESTRAVA_KILL_SHIM="$<TARGET_FILE:kestrava_kill_shim>")
add_dependencies(kestrava_crash_tests kestrava_crash_child kestrava_kill_shim)
gtest_discover_tests(kestrava_crash_tests DISCOVERY_TIMEOUT 60)

# The editor killed with unsaved changes: the widget tests open its recovery copy.
target_compile_definitions(kestrava_editor_tests PRIVATE KESTRAVA_CRASH_CHILD="$<TARGET_FILE:kestrava_crash_child>")
add_dependencies(kestrava_editor_tests kestrava_crash_child)
