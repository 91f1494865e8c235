# Run by the GeneratedJava test: FIXTURE converts a project into WORK/game,
# whose src folder must then compile against the API stubs.
if(NOT JAVAC)
  message(FATAL_ERROR "javac was not found when the build was configured: install a JDK "
                      "(scripts/install-deps.sh installs default-jdk-headless) and configure again.")
endif()

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/stubs-classes ${WORK}/game-classes)

file(GLOB_RECURSE stub_sources ${STUBS}/*.java)
execute_process(COMMAND ${JAVAC} --release 8 -encoding UTF-8 -nowarn -d ${WORK}/stubs-classes ${stub_sources}
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the MIDP stubs do not compile")
endif()

execute_process(COMMAND ${FIXTURE} ${WORK} ${DRAFT} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the fixture project could not be converted")
endif()

file(GLOB game_sources ${WORK}/game/src/*.java)
list(LENGTH game_sources count)
# 20 stages of two classes each, dorv.java and MyGameCanvas.java.
if(NOT count EQUAL 42)
  message(FATAL_ERROR "expected 42 generated sources, found ${count}")
endif()
execute_process(COMMAND ${JAVAC} --release 8 -encoding windows-1251 -Xlint:all -Xlint:-options
                        -cp ${WORK}/stubs-classes -d ${WORK}/game-classes ${game_sources}
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the generated game does not compile")
endif()
message(STATUS "the generated game compiles (${count} sources)")
