# Run by the Game.TheBudgetIsReportedAndStrictRefuses test: `kestrava --package`
# reports the game against its handset's budget; a game over it is warned of,
# and refused with --strict, the jar left as it was; and the heap the report
# estimates for a stage is what the player measures the game holding there.
set(budget_work ${WORK}/budget)
file(REMOVE_RECURSE ${budget_work})
foreach(name demo heavy)
  file(COPY ${WORK}/${name}/ DESTINATION ${budget_work}/${name})
endforeach()

function(package name)
  execute_process(COMMAND ${KESTRAVA} --package ${ARGN} ${budget_work}/${name}/project.prg --app-dir ${APPDIR}
                  RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
  set(result ${result} PARENT_SCOPE)
  set(out "${out}" PARENT_SCOPE)
  set(err "${err}" PARENT_SCOPE)
endfunction()

# The KB the report estimates for stage 1, and the bytes the player measures the game holding there.
function(first_stage_heap name report)
  if(NOT report MATCHES "Этап 1: память ([0-9]+) КБ")
    message(FATAL_ERROR "${name}: no heap of stage 1 in the report:\n${report}")
  endif()
  set(estimated ${CMAKE_MATCH_1} PARENT_SCOPE)
  file(WRITE ${budget_work}/heap.play "ticks 1\necho heap\n")
  execute_process(COMMAND ${JAVA} ${HEAP} -jar ${PLAYER} --headless --script ${budget_work}/heap.play
                          ${budget_work}/${name}/bin/${name}.jad
                  RESULT_VARIABLE played OUTPUT_VARIABLE shown ERROR_VARIABLE failed)
  if(NOT played EQUAL 0 OR NOT shown MATCHES "echo heap = ([0-9]+)")
    message(FATAL_ERROR "${name}: the game's heap was not measured: ${shown}${failed}")
  endif()
  set(measured ${CMAKE_MATCH_1} PARENT_SCOPE)
endfunction()

# The demo keeps the default handset's budget, even with --strict.
package(demo --strict)
if(NOT result EQUAL 0 OR NOT out MATCHES "Экран 176 x 208: jar до 300 КБ, память игры 2048 КБ\\."
   OR NOT out MATCHES "Архив игры: [0-9]+ КБ из 300 КБ" OR NOT out MATCHES "Этап 2: память [0-9]+ КБ из 2048 КБ"
   OR err MATCHES "не уложится")
  message(FATAL_ERROR "the demo's budget report:\n${out}${err}")
endif()
first_stage_heap(demo "${out}")
math(EXPR low "${estimated} * 1024 * 3 / 4")
math(EXPR high "${estimated} * 1024 * 5 / 4")
if(measured LESS low OR measured GREATER high)
  message(FATAL_ERROR "the demo's stage 1: ${estimated} KB estimated, ${measured} bytes measured")
endif()
message(STATUS "the demo's stage 1: ${estimated} KB estimated, ${measured} bytes measured")

# heavy is far over the 512 KB of a 128 x 128 phone: built, and said so.
package(heavy)
set(over "этапам 1–2 нужно памяти до [0-9]+ КБ при пределе 512 КБ: больше на [0-9]+ КБ")
if(NOT result EQUAL 0 OR NOT err MATCHES "Предупреждение: игра не уложится в телефон \\(экран 128 x 128\\): ${over}"
   OR NOT out MATCHES "Не уложится в телефон")
  message(FATAL_ERROR "heavy without --strict:\n${out}${err}")
endif()
first_stage_heap(heavy "${out}")
math(EXPR low "${estimated} * 1024 * 3 / 4")
math(EXPR high "${estimated} * 1024 * 5 / 4")
if(measured LESS low OR measured GREATER high)
  message(FATAL_ERROR "heavy's stage 1: ${estimated} KB estimated, ${measured} bytes measured")
endif()
message(STATUS "heavy's stage 1: ${estimated} KB estimated, ${measured} bytes measured")

# With --strict it is refused, and what the last build wrote stays.
file(SHA256 ${budget_work}/heavy/bin/heavy.jar jar_before)
file(SHA256 ${budget_work}/heavy/bin/heavy.jad jad_before)
package(heavy --strict)
if(result EQUAL 0 OR NOT err MATCHES "Игра не собрана: она не уложится в телефон \\(экран 128 x 128: jar до 64 КБ, память игры 512 КБ\\) — ${over}"
   OR NOT err MATCHES "архив игры в папке bin не изменён")
  message(FATAL_ERROR "heavy with --strict:\n${out}${err}")
endif()
file(SHA256 ${budget_work}/heavy/bin/heavy.jar jar_after)
file(SHA256 ${budget_work}/heavy/bin/heavy.jad jad_after)
if(NOT jar_after STREQUAL jar_before OR NOT jad_after STREQUAL jad_before)
  message(FATAL_ERROR "heavy with --strict replaced the jar or jad it refused to build")
endif()
