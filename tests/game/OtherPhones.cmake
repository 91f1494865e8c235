# Run by Game.demo.likeOtherPhones: a script played on our player as it is and as a phone
# that answers otherwise (SWITCHES: its translate() leaves the clip where it was, its soft keys have a
# game action and an arrow's name). Both plays must hold the script, and every frame must be alike:
# a game that leant on our player's answers would draw a scrolled view cut short on the other.
foreach(run plain other)
  set(switches)
  if(run STREQUAL other)
    set(switches ${SWITCHES})
  endif()
  file(REMOVE_RECURSE ${FRAMES}/${run})
  execute_process(COMMAND ${JAVA} ${HEAP} -jar ${PLAYER} --headless ${switches} --script ${SCRIPT}
                          --frames ${FRAMES}/${run} ${JAD}
                  RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "played with '${switches}': ${out}${err}")
  endif()
endforeach()
file(GLOB frames RELATIVE ${FRAMES}/plain ${FRAMES}/plain/*.png)
if(NOT frames)
  message(FATAL_ERROR "${SCRIPT} saved no frames to compare")
endif()
foreach(frame ${frames})
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${FRAMES}/plain/${frame} ${FRAMES}/other/${frame}
                  RESULT_VARIABLE different)
  if(different)
    message(FATAL_ERROR "${frame} differs with '${SWITCHES}': see ${FRAMES}/other/${frame}")
  endif()
endforeach()
