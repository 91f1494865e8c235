# Makes the guide afresh in WORK as the build does, then checks that every
# link and picture of every page names a file that is there, that the
# tutorial shows every screenshot the maker takes, and that the pictures
# are real PNGs of windows, not empty files.
#   cmake -DGUIDE=... -DAPPDIR=... -DSOURCE=... -DWORK=... -P CheckGuide.cmake
file(REMOVE_RECURSE ${WORK})
file(COPY ${SOURCE}/ DESTINATION ${WORK})
execute_process(COMMAND ${GUIDE} ${WORK} ${APPDIR} RESULT_VARIABLE result ERROR_VARIABLE err)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "kestrava_guide failed: ${err}")
endif()

file(GLOB pages ${WORK}/*.md)
foreach(page ${pages})
  file(READ ${page} text)
  # A ";" of the text would split CMake's lists.
  string(REPLACE ";" "," text "${text}")
  # "](page.md)" and "](shots/x.png)"; the "]" is left out, since brackets group CMake's list items.
  string(REGEX MATCHALL "\\([^][)(#: ]+\\.(md|png)\\)" links "${text}")
  foreach(link ${links})
    string(REGEX REPLACE "^\\((.*)\\)$" "\\1" target "${link}")
    if(NOT EXISTS "${WORK}/${target}")
      message(FATAL_ERROR "${page} links to ${target}, which the guide lacks")
    endif()
  endforeach()
endforeach()

file(READ ${WORK}/first-game.md tutorial)
file(GLOB shots ${WORK}/shots/*.png)
list(LENGTH shots count)
if(count LESS 7)
  message(FATAL_ERROR "the tutorial has ${count} screenshots, fewer than its steps")
endif()
foreach(shot ${shots})
  get_filename_component(name ${shot} NAME)
  if(NOT tutorial MATCHES "shots/${name}")
    message(FATAL_ERROR "the screenshot ${name} is made but the tutorial does not show it")
  endif()
  file(SIZE ${shot} size)
  file(READ ${shot} head LIMIT 8 HEX)
  if(size LESS 2000 OR NOT head STREQUAL "89504e470d0a1a0a")
    message(FATAL_ERROR "the screenshot ${name} is no picture of a window (${size} bytes)")
  endif()
endforeach()
