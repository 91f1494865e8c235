# Run by the Game.TheJadNamesTheScreen test: without --size the player opens
# the screen the jad names, one both of whose sides a game screen may have
# (16 to 1000, the editor's bounds), else the editor's default, 176 x 208.
set(bin ${WORK}/walk/bin)
file(READ ${bin}/walk.jad jad)
foreach(case "128 176 128x176" "1000 1000 1000x1000" "16 16 16x16" "1001 176 176x208" "128 15 176x208")
  separate_arguments(case)
  list(GET case 0 width)
  list(GET case 1 height)
  list(GET case 2 expected)
  string(REPLACE "Kestrava-Screen-Width: 128" "Kestrava-Screen-Width: ${width}" edited "${jad}")
  string(REPLACE "Kestrava-Screen-Height: 176" "Kestrava-Screen-Height: ${height}" edited "${edited}")
  file(WRITE ${bin}/screen.jad "${edited}")
  file(WRITE ${WORK}/screen.play "expect size == ${expected}\n")
  execute_process(COMMAND ${JAVA} ${HEAP} -jar ${PLAYER} --headless --script ${WORK}/screen.play ${bin}/screen.jad
                  RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "a jad naming ${width} x ${height}: ${out}${err}")
  endif()
endforeach()
file(REMOVE ${bin}/screen.jad ${WORK}/screen.play)
