# Run by the GeneratedJava.DemoCompiles test: a copy of the demo project,
# its src holding the unedited runtime of an earlier version (EARLIER), is
# converted by `kestrava --convert`; src must then hold this version's runtime
# and compile against the MIDP API classes.
include(${CMAKE_CURRENT_LIST_DIR}/JavaCheck.cmake)

file(COPY ${DEMO}/ DESTINATION ${WORK}/demo)
file(MAKE_DIRECTORY ${WORK}/demo/src ${WORK}/demo/res)
file(GLOB earlier ${EARLIER}/*.java)
file(COPY ${earlier} DESTINATION ${WORK}/demo/src)

execute_process(COMMAND ${KESTRAVA} --convert ${WORK}/demo/project.prg --app-dir ${APPDIR}
                RESULT_VARIABLE result OUTPUT_VARIABLE written ERROR_VARIABLE error)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "kestrava --convert failed: ${error}")
endif()
set(runtime dorv.java MyGameCanvas.java StageState.java StagePlay.java Keys.java Actor.java Movement.java
            StageView.java)
foreach(expected Etap0.java Etap0.dat Etap1.java Etap1.dat Indicators.java Touch.java ${runtime})
  if(NOT written MATCHES "${expected}")
    message(FATAL_ERROR "kestrava --convert did not report ${expected}:\n${written}")
  endif()
endforeach()
foreach(source ${runtime})
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${APPDIR}/draft/${source} ${WORK}/demo/src/${source}
                  RESULT_VARIABLE different)
  if(different)
    message(FATAL_ERROR "src/${source} is not this version's runtime")
  endif()
endforeach()

# The demo asks nothing of a touch screen: its Touch is the stand-in, and it compiles with the rest.
file(READ ${WORK}/demo/src/Touch.java touch)
if(NOT touch MATCHES "asks nothing of a touch screen")
  message(FATAL_ERROR "src/Touch.java of the demo is not the stand-in of a game without touches")
endif()

file(GLOB game_sources ${WORK}/demo/src/*.java)
compile_game("the demo game" ${game_sources})
file(GLOB pictures ${WORK}/demo/res/*.png)
if(NOT pictures)
  message(FATAL_ERROR "no pictures were written into res")
endif()
