# Run by the GeneratedJava test: FIXTURE converts a project into WORK/game,
# whose src folder must then compile against the MIDP API classes.
include(${CMAKE_CURRENT_LIST_DIR}/JavaCheck.cmake)

execute_process(COMMAND ${FIXTURE} ${WORK} ${DRAFT} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the fixture project could not be converted")
endif()

file(GLOB game_sources ${WORK}/game/src/*.java)
list(LENGTH game_sources count)
# 20 stage classes, Indicators.java, GameValues.java, Sounds.java, dorv.java, MyGameCanvas.java and its nine parts.
if(NOT count EQUAL 34)
  message(FATAL_ERROR "expected 34 generated sources, found ${count}")
endif()
file(GLOB stage_tables ${WORK}/game/res/Etap*.dat)
list(LENGTH stage_tables tables)
if(NOT tables EQUAL 20)
  message(FATAL_ERROR "expected the tables of 20 stages in res, found ${tables}")
endif()
compile_game("the generated game" ${game_sources})
message(STATUS "the generated game compiles (${count} sources)")
