# Makes the game test projects, copies the examples beside them, and packages each
# with `kestrava --package` as an author's build pipeline would.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
execute_process(COMMAND ${MAKER} ${WORK} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the game test projects could not be made")
endif()
# The example games, as "Открыть пример" copies them.
foreach(example demo maze garden ledges)
  file(COPY ${EXAMPLES}/${example}/ DESTINATION ${WORK}/${example})
endforeach()

# The demo once more through ProGuard, as "Уменьшить игру" makes it.
file(COPY ${EXAMPLES}/demo/ DESTINATION ${WORK}/demo-shrunk)

foreach(name ${PROJECTS})
  execute_process(COMMAND ${KESTRAVA} --package ${WORK}/${name}/project.prg --app-dir ${APPDIR}
                  RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "kestrava --package ${name} failed:\n${out}${err}")
  endif()
  foreach(file ${name}.jar ${name}.jad)
    if(NOT EXISTS ${WORK}/${name}/bin/${file})
      message(FATAL_ERROR "kestrava --package ${name} did not write bin/${file}")
    endif()
  endforeach()
endforeach()

# A sound the sheets never play (32,000 bytes of noise) stays out of the jar: the game with it is the size
# of the game without, but for the bytes of its longer name in the manifest.
execute_process(COMMAND ${KESTRAVA} --package ${WORK}/soundless3/project.prg --app-dir ${APPDIR}
                RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "kestrava --package soundless3 failed:\n${out}${err}")
endif()
file(SIZE ${WORK}/sound/bin/sound.jar with_unused)
file(SIZE ${WORK}/soundless3/bin/soundless3.jar without_unused)
math(EXPR difference "${with_unused} - ${without_unused}")
if(difference GREATER 16 OR difference LESS -16)
  message(FATAL_ERROR "an unused sound changed the jar: ${with_unused} bytes with it, ${without_unused} without")
endif()
file(ARCHIVE_EXTRACT INPUT ${WORK}/sound/bin/sound.jar DESTINATION ${WORK}/sound-jar)
if(NOT EXISTS ${WORK}/sound-jar/s1.wav OR NOT EXISTS ${WORK}/sound-jar/s2.jts OR EXISTS ${WORK}/sound-jar/s3.wav)
  message(FATAL_ERROR "the sound game's jar should hold s1.wav and s2.jts and not s3.wav")
endif()
file(SHA256 ${WORK}/sound-jar/s1.wav in_jar)
file(SHA256 ${WORK}/sound/sounds/sound1.wav in_project)
if(NOT in_jar STREQUAL in_project)
  message(FATAL_ERROR "s1.wav in the jar is not the project's sound1.wav")
endif()

execute_process(COMMAND ${KESTRAVA} --package --shrink ${WORK}/demo-shrunk/project.prg --app-dir ${APPDIR}
                RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT result EQUAL 0 OR NOT out MATCHES "3/4 Уменьшение игры")
  message(FATAL_ERROR "kestrava --package --shrink demo failed:\n${out}${err}")
endif()
file(SIZE ${WORK}/demo/bin/demo.jar plain)
file(SIZE ${WORK}/demo-shrunk/bin/demo-shrunk.jar shrunk)
message(STATUS "the demo's jar: ${plain} bytes, ${shrunk} bytes shrunk")
if(NOT shrunk LESS plain)
  message(FATAL_ERROR "the shrunk demo (${shrunk} bytes) is not smaller than the demo (${plain} bytes)")
endif()
