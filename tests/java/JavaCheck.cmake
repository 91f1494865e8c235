# Shared by the compile checks: a fresh WORK folder with the MIDP 2.0 / CLDC 1.1
# stubs compiled, and a function that compiles game sources against them.
if(NOT JAVAC)
  message(FATAL_ERROR "javac was not found when the build was configured: install a JDK "
                      "(scripts/install-deps.sh installs default-jdk-headless) and configure again.")
endif()

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/stubs-classes ${WORK}/game-classes)
file(GLOB_RECURSE stub_sources ${STUBS}/*.java)
execute_process(COMMAND ${JAVAC} --release 8 -encoding UTF-8 -nowarn -d ${WORK}/stubs-classes ${stub_sources}
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the MIDP stubs do not compile")
endif()

# The generated sources are windows-1251; every warning counts.
function(compile_game what)
  execute_process(COMMAND ${JAVAC} --release 8 -encoding windows-1251 -Xlint:all -Xlint:-options
                          -cp ${WORK}/stubs-classes -d ${WORK}/game-classes ${ARGN}
                  RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "${what} does not compile")
  endif()
endfunction()
