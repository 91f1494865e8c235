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
