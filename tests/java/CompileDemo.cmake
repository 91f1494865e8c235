# Run by the GeneratedJava.DemoCompiles test: a copy of the demo project is
# converted by `kestrava --convert`, and its src folder must compile against
# the API stubs.
if(NOT JAVAC)
  message(FATAL_ERROR "javac was not found when the build was configured: install a JDK "
                      "(scripts/install-deps.sh installs default-jdk-headless) and configure again.")
endif()

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/stubs-classes ${WORK}/game-classes)
file(COPY ${DEMO}/ DESTINATION ${WORK}/demo)
file(MAKE_DIRECTORY ${WORK}/demo/src ${WORK}/demo/res)

execute_process(COMMAND ${KESTRAVA} --convert ${WORK}/demo/project.prg --app-dir ${APPDIR}
                RESULT_VARIABLE result OUTPUT_VARIABLE written ERROR_VARIABLE error)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "kestrava --convert failed: ${error}")
endif()
foreach(expected Etap0data.java Etap0.java Etap1data.java Etap1.java dorv.java MyGameCanvas.java)
  if(NOT written MATCHES "${expected}")
    message(FATAL_ERROR "kestrava --convert did not report ${expected}:\n${written}")
  endif()
endforeach()

file(GLOB_RECURSE stub_sources ${STUBS}/*.java)
execute_process(COMMAND ${JAVAC} --release 8 -encoding UTF-8 -nowarn -d ${WORK}/stubs-classes ${stub_sources}
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the MIDP stubs do not compile")
endif()
file(GLOB game_sources ${WORK}/demo/src/*.java)
execute_process(COMMAND ${JAVAC} --release 8 -encoding windows-1251 -Xlint:all -Xlint:-options
                        -cp ${WORK}/stubs-classes -d ${WORK}/game-classes ${game_sources}
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the demo game does not compile")
endif()
file(GLOB pictures ${WORK}/demo/res/*.png)
if(NOT pictures)
  message(FATAL_ERROR "no pictures were written into res")
endif()
