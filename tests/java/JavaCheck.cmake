# Shared by the compile checks: a fresh WORK folder, and a function that
# compiles game sources with the MIDP 2.0 / CLDC 1.1 API classes (API, built
# from resources/midp) as the only boot class path: a class or member a phone
# lacks does not compile. javac checks with all its warnings; ecj compiles as
# packaging does, and the player's CldcClassCheck reads what it wrote: class
# files of version 45.3 with a StackMap wherever a method branches.
if(NOT JAVAC)
  message(FATAL_ERROR "javac was not found when the build was configured: install a JDK "
                      "(scripts/install-deps.sh installs default-jdk-headless) and configure again.")
endif()
if(NOT ECJ)
  message(FATAL_ERROR "ecj was not found when the build was configured: install it "
                      "(scripts/install-deps.sh installs ecj) and configure again.")
endif()
if(NOT EXISTS ${API})
  message(FATAL_ERROR "${API} is missing: build the kestrava_java target")
endif()

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/game-classes ${WORK}/phone-classes ${WORK}/nothing)

# The generated sources are windows-1251; warnings are shown.
function(compile_game what)
  execute_process(COMMAND ${JAVAC} -source 8 -target 8 -bootclasspath ${API} -encoding windows-1251
                          -Xlint:all -Xlint:-options -Xlint:-deprecation -d ${WORK}/game-classes ${ARGN}
                  RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "${what} does not compile against the MIDP 2.0 / CLDC 1.1 classes")
  endif()
  execute_process(COMMAND ${ECJ} -source 1.3 -target cldc1.1 -bootclasspath ${API} -classpath ${WORK}/nothing
                          -proc:none -encoding windows-1251 -nowarn -d ${WORK}/phone-classes ${ARGN}
                  RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "${what} does not compile with ecj for CLDC 1.1")
  endif()
  execute_process(COMMAND ${JAVA} -cp ${PLAYER} kestrava.player.check.CldcClassCheck ${WORK}/phone-classes
                  RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "${what}: ecj did not write class files a CLDC 1.1 phone verifies")
  endif()
endfunction()
