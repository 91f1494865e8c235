# The generated game must compile: convert a fixture project that uses every
# condition and action form, then compile its src folder with javac and with
# ecj against the MIDP 2.0 / CLDC 1.1 API classes as the boot class path
# (built from resources/midp), which also proves the runtime uses nothing
# else, and check that ecj's class files are what a CLDC 1.1 phone verifies.
find_program(KESTRAVA_JAVAC javac)
find_program(KESTRAVA_ECJ ecj)
find_program(KESTRAVA_JAVA java)
set(java_tools -DJAVAC=${KESTRAVA_JAVAC} -DECJ=${KESTRAVA_ECJ} -DJAVA=${KESTRAVA_JAVA}
               -DPLAYER=${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/java/kestrava-player.jar)

add_executable(kestrava_java_fixture ${CMAKE_CURRENT_SOURCE_DIR}/java/ConvertFixture.cpp)
target_link_libraries(kestrava_java_fixture PRIVATE kestrava_core)
target_include_directories(kestrava_java_fixture PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})

add_test(NAME GeneratedJava.CompilesAgainstMidpStubs
         COMMAND ${CMAKE_COMMAND}
                 ${java_tools}
                 -DFIXTURE=$<TARGET_FILE:kestrava_java_fixture>
                 -DDRAFT=${CMAKE_SOURCE_DIR}/resources/draft
                 -DAPI=${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/java/midp-api.jar
                 -DWORK=${CMAKE_CURRENT_BINARY_DIR}/java-check
                 -P ${CMAKE_CURRENT_SOURCE_DIR}/java/CompileGenerated.cmake)

# The demo converted from the command line, as a build pipeline would, over
# the runtime an earlier version copied into its src.
add_test(NAME GeneratedJava.DemoCompiles
         COMMAND ${CMAKE_COMMAND}
                 ${java_tools}
                 -DKESTRAVA=$<TARGET_FILE:kestrava>
                 -DAPPDIR=$<TARGET_FILE_DIR:kestrava>
                 -DDEMO=${CMAKE_SOURCE_DIR}/examples/demo
                 -DEARLIER=${CMAKE_SOURCE_DIR}/tests/data/codegen/earlier/three-classes
                 -DAPI=${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/java/midp-api.jar
                 -DWORK=${CMAKE_CURRENT_BINARY_DIR}/java-demo
                 -P ${CMAKE_CURRENT_SOURCE_DIR}/java/CompileDemo.cmake)
