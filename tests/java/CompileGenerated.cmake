# Run by the GeneratedJava test: FIXTURE converts a project into WORK/game,
# whose src folder must then compile against the MIDP API classes.
include(${CMAKE_CURRENT_LIST_DIR}/JavaCheck.cmake)

execute_process(COMMAND ${FIXTURE} ${WORK} ${DRAFT} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the fixture project could not be converted")
endif()

file(GLOB game_sources ${WORK}/game/src/*.java)
list(LENGTH game_sources count)
# 20 stages of three classes each, Indicators.java, dorv.java, MyGameCanvas.java and its six parts.
if(NOT count EQUAL 69)
  message(FATAL_ERROR "expected 69 generated sources, found ${count}")
endif()
compile_game("the generated game" ${game_sources})
message(STATUS "the generated game compiles (${count} sources)")
