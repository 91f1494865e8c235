# The command line of the executable, without starting it.
add_executable(kestrava_app_tests ${CMAKE_CURRENT_SOURCE_DIR}/app/ConvertCommandTest.cpp
                                  ${CMAKE_CURRENT_SOURCE_DIR}/app/CommandLineTest.cpp
                                  ${CMAKE_SOURCE_DIR}/src/app/ConvertCommand.cpp
                                  ${CMAKE_SOURCE_DIR}/src/app/CommandLine.cpp)
target_include_directories(kestrava_app_tests PRIVATE ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(kestrava_app_tests PRIVATE kestrava_test_support GTest::gtest_main)
gtest_discover_tests(kestrava_app_tests DISCOVERY_TIMEOUT 60)
