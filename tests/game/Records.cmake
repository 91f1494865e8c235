# The best score and the stage reached survive a restart of the player (its record store is a
# folder of the game's own), and a damaged store is started afresh.
#   -DJAVA -DPLAYER -DJAD -DOTHER (another game's jad) -DSCRIPTS (tests/game/records) -DWORK
set(records ${WORK}/records-of-score)
file(REMOVE_RECURSE ${records})
function(play script)
  set(jad ${JAD})
  if(ARGC GREATER 1)
    set(jad ${ARGV1})
  endif()
  execute_process(COMMAND ${JAVA} -jar ${PLAYER} --headless --records ${records} --script ${SCRIPTS}/${script}.play ${jad}
                  RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "${script}.play failed:\n${out}${err}")
  endif()
endfunction()
play(first)
file(GLOB_RECURSE stores ${records}/*.rms)
list(LENGTH stores count)
if(NOT count EQUAL 1)
  message(FATAL_ERROR "expected one record store under ${records}, found ${count}")
endif()
# Another game keeps its stores in a folder of its own.
play(other ${OTHER})
file(GLOB folders LIST_DIRECTORIES true ${records}/*)
list(LENGTH folders count)
if(NOT count EQUAL 2)
  message(FATAL_ERROR "expected a folder for each of the two games under ${records}, found ${count}")
endif()
play(again)
# Damaged: a few bytes of something else where the store was.
file(WRITE ${stores} "not a record store")
play(damaged)
# Afresh means written anew, not left damaged for the next start.
file(READ ${stores} bytes HEX LIMIT 4)
if(NOT bytes STREQUAL "4b525331")
  message(FATAL_ERROR "the damaged store was not started afresh: it begins ${bytes}")
endif()
