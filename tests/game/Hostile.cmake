# Run by the Game.HostileProjectsStayInTheirFolder test: projects and games
# from a stranger cannot run code on the author's machine.
#  - Classes in res, in the project folder and in the current folder reach
#    neither the compiler nor the jar; only the converter's pictures go in.
#  - The game cannot load a desktop class by name, nor one of its folder.
#  - The player refuses an archive whose classes call what no phone has
#    (Runtime.exec, java.io.File), ends the virtual machine (System.exit) or
#    declares finalize() (the desktop's finalizer would run it after the game),
#    naming the class and what it calls, and runs none of it.
set(hostile ${WORK}/hostile)
set(reaching ${WORK}/reaching)
set(evil ${WORK}/evil)
file(REMOVE_RECURSE ${evil})
file(MAKE_DIRECTORY ${evil}/exec ${evil}/file ${evil}/exit ${evil}/finalize ${evil}/plain)
set(marker ${evil}/evil-ran)

function(expect_ok what)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "${what} failed:\n${out}${err}")
  endif()
endfunction()

# Classes a stranger leaves in the project: one that runs a program when loaded.
file(WRITE ${evil}/plain/Evil.java
  "public class Evil { static { try { new java.io.FileOutputStream(\"${marker}\").close(); } catch (Exception e) { } }\n"
  "  public static void run() { } }\n")
file(WRITE ${evil}/exec/Evil.java
  "public class Evil { static { try { Runtime.getRuntime().exec(\"touch ${marker}\"); } catch (Exception e) { } } }\n")
file(WRITE ${evil}/file/Evil.java "public class Evil { java.io.File where; }\n")
file(WRITE ${evil}/exit/Evil.java "public class Evil { static void end() { System.exit(0); } }\n")
file(WRITE ${evil}/finalize/Evil.java "public class Evil { protected void finalize() { for (;;) { } } }\n")
foreach(kind plain exec file exit finalize)
  execute_process(COMMAND ${JAVAC} --release 8 -d ${evil}/${kind} ${evil}/${kind}/Evil.java
                  RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
  expect_ok("javac Evil.java (${kind})")
endforeach()
foreach(place ${hostile}/res ${hostile} ${reaching})
  file(COPY ${evil}/plain/Evil.class ${evil}/plain/Evil.java DESTINATION ${place})
endforeach()
file(WRITE ${hostile}/res/notes.txt "not a picture\n")
file(COPY ${hostile}/res/Evil.class DESTINATION ${hostile}/res/sub)

# Packaged from inside the project folder, Evil.class and Evil.java all around.
execute_process(COMMAND ${KESTRAVA} --package ${hostile}/project.prg --app-dir ${APPDIR}
                WORKING_DIRECTORY ${hostile} RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
expect_ok("kestrava --package hostile")
execute_process(COMMAND ${CMAKE_COMMAND} -E tar tf ${hostile}/bin/hostile.jar
                RESULT_VARIABLE result OUTPUT_VARIABLE entries ERROR_VARIABLE err)
expect_ok("listing hostile.jar")
foreach(stranger Evil.class notes.txt sub/Evil.class)
  string(FIND "${entries}" "${stranger}" at)
  if(NOT at EQUAL -1)
    message(FATAL_ERROR "res/${stranger} reached the jar:\n${entries}")
  endif()
endforeach()
foreach(own floor.png box.png dorv.class Etap0.class)
  string(FIND "${entries}" "${own}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "${own} is missing from the jar:\n${entries}")
  endif()
endforeach()

# Played: Class.forName finds neither the folder's Evil nor the desktop's File.
file(WRITE ${evil}/hostile.play "expect life == 7\nexpect stage == 1\nticks 5\nexpect life == 7\n")
execute_process(COMMAND ${JAVA} ${HEAP} -jar ${APPDIR}/java/kestrava-player.jar --headless --script ${evil}/hostile.play
                        ${hostile}/bin/hostile.jad
                WORKING_DIRECTORY ${hostile} RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
expect_ok("playing hostile")

# Code naming a class of the folder does not compile: the class path is empty.
execute_process(COMMAND ${KESTRAVA} --package ${reaching}/project.prg --app-dir ${APPDIR}
                WORKING_DIRECTORY ${reaching} RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(result EQUAL 0 OR NOT "${out}${err}" MATCHES "Evil cannot be resolved")
  message(FATAL_ERROR "reaching packaged with a class of its folder (${result}):\n${out}${err}")
endif()

# An archive with a class that calls what no phone has is refused before any of it runs.
file(REMOVE_RECURSE ${evil}/unpacked)
file(MAKE_DIRECTORY ${evil}/unpacked)
execute_process(COMMAND ${CMAKE_COMMAND} -E tar xf ${hostile}/bin/hostile.jar WORKING_DIRECTORY ${evil}/unpacked
                RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
expect_ok("unpacking hostile.jar")
foreach(case "exec;обращается к java.lang.Runtime.exec\\(java.lang.String\\)" "file;обращается к классу java.io.File"
             "exit;вызывает java.lang.System.exit\\(int\\)"
             "finalize;объявляет метод finalize\\(\\): телефон никогда его не вызывает")
  list(GET case 0 kind)
  list(GET case 1 named)
  # file(COPY) skips a file whose time matches, and the classes were compiled within a second.
  file(REMOVE ${evil}/unpacked/Evil.class)
  file(COPY ${evil}/${kind}/Evil.class DESTINATION ${evil}/unpacked)
  file(GLOB_RECURSE members RELATIVE ${evil}/unpacked ${evil}/unpacked/*)
  execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf ${evil}/${kind}.jar --format=zip ${members}
                  WORKING_DIRECTORY ${evil}/unpacked RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
  expect_ok("making ${kind}.jar")
  execute_process(COMMAND ${JAVA} ${HEAP} -jar ${APPDIR}/java/kestrava-player.jar --headless --script ${evil}/hostile.play
                          ${evil}/${kind}.jar
                  RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(result EQUAL 0 OR NOT err MATCHES "Игра не запущена: класс Evil ${named}")
    message(FATAL_ERROR "the player did not refuse ${kind}.jar (${result}):\n${out}${err}")
  endif()
  message(STATUS "${kind}.jar: ${err}")
endforeach()
if(EXISTS ${marker})
  message(FATAL_ERROR "a stranger's class ran: ${marker} was made")
endif()
