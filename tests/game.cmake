# Game tests: purpose-built projects (tests/game/GameProjects.cpp) and copies of
# the example games are packaged by `kestrava --package` and played by the headless
# player with the scripted keys of tests/game/<project>.play, which assert on
# positions, visibility, stage and pixels and save PNG frames into
# <build>/tests/game-frames/<project>.
find_program(KESTRAVA_JAVA java)
if(NOT KESTRAVA_JAVA OR NOT TARGET kestrava_java)
  message(WARNING "java or the player is missing: the game tests are left out")
  return()
endif()

# Games play under the heap limit the editor gives the player (kGameHeapMegabytes).
set(heap_header ${CMAKE_SOURCE_DIR}/src/core/packaging/PlayerCommand.h)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${heap_header})
file(READ ${heap_header} heap_text)
if(NOT heap_text MATCHES "kGameHeapMegabytes = ([0-9]+);")
  message(FATAL_ERROR "${heap_header} no longer says kGameHeapMegabytes = N;: the game tests' heap is unknown")
endif()
set(game_heap -Xmx${CMAKE_MATCH_1}m)

add_executable(kestrava_game_projects ${CMAKE_CURRENT_SOURCE_DIR}/game/GameProjects.cpp)
target_link_libraries(kestrava_game_projects PRIVATE kestrava_core)

set(game_work ${CMAKE_CURRENT_BINARY_DIR}/game-work)
set(game_frames ${CMAKE_CURRENT_BINARY_DIR}/game-frames)
file(GLOB game_scripts CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/game/*.play)
set(game_projects)
foreach(script ${game_scripts})
  get_filename_component(name ${script} NAME_WE)
  list(APPEND game_projects ${name})
endforeach()

# Made and packaged once; every game test then plays its own package.
add_test(NAME Game.ProjectsArePackaged
         COMMAND ${CMAKE_COMMAND}
                 -DMAKER=$<TARGET_FILE:kestrava_game_projects>
                 -DKESTRAVA=$<TARGET_FILE:kestrava>
                 -DAPPDIR=$<TARGET_FILE_DIR:kestrava>
                 -DEXAMPLES=${CMAKE_SOURCE_DIR}/examples
                 -DWORK=${game_work}
                 "-DPROJECTS=${game_projects}"
                 -P ${CMAKE_CURRENT_SOURCE_DIR}/game/PackageGames.cmake)
set_tests_properties(Game.ProjectsArePackaged PROPERTIES FIXTURES_SETUP game_packages TIMEOUT 600)

# heavy's two stages of 24 MB each fit a heap of 48 MB one at a time, not
# together (both stages would need more than 56 MB): the second loads only
# once the first let go of its pictures.
set(heavy_heap -Xmx48m)
foreach(name ${game_projects})
  set(heap ${game_heap})
  if(DEFINED ${name}_heap)
    set(heap ${${name}_heap})
  endif()
  add_test(NAME Game.${name}
           COMMAND ${KESTRAVA_JAVA} ${heap} -jar $<TARGET_FILE_DIR:kestrava>/java/kestrava-player.jar
                   --headless --script ${CMAKE_CURRENT_SOURCE_DIR}/game/${name}.play
                   --frames ${game_frames}/${name} ${game_work}/${name}/bin/${name}.jad)
  set_tests_properties(Game.${name} PROPERTIES FIXTURES_REQUIRED game_packages TIMEOUT 120)
endforeach()

# The demo and the indicators on every handset screen "Настройки игры" offers.
foreach(size 128x128 128x160 176x208 176x220 240x320)
  foreach(name demo hud)
    add_test(NAME Game.${name}.${size}
             COMMAND ${KESTRAVA_JAVA} ${game_heap} -jar $<TARGET_FILE_DIR:kestrava>/java/kestrava-player.jar
                     --headless --size ${size} --script ${CMAKE_CURRENT_SOURCE_DIR}/game/sizes/${name}.play
                     --frames ${game_frames}/${name}-${size} ${game_work}/${name}/bin/${name}.jad)
    set_tests_properties(Game.${name}.${size} PROPERTIES FIXTURES_REQUIRED game_packages TIMEOUT 120)
  endforeach()
endforeach()

# On a phone whose translate() leaves the clip where it was and whose soft keys have game actions and
# arrows' names, the scrolled demo draws as on ours, and the soft keys still reach the sheet or end it.
set(other_phones --translate-keeps-clip --soft-keys-as-arrows)
add_test(NAME Game.demo.likeOtherPhones
         COMMAND ${CMAKE_COMMAND} -DJAVA=${KESTRAVA_JAVA} -DHEAP=${game_heap}
                 -DPLAYER=$<TARGET_FILE_DIR:kestrava>/java/kestrava-player.jar "-DSWITCHES=${other_phones}"
                 -DSCRIPT=${CMAKE_CURRENT_SOURCE_DIR}/game/demo.play -DJAD=${game_work}/demo/bin/demo.jad
                 -DFRAMES=${game_frames}/demo-like-other-phones -P ${CMAKE_CURRENT_SOURCE_DIR}/game/OtherPhones.cmake)
set_tests_properties(Game.demo.likeOtherPhones PROPERTIES FIXTURES_REQUIRED game_packages TIMEOUT 120)
add_test(NAME Game.keys.likeOtherPhones
         COMMAND ${KESTRAVA_JAVA} ${game_heap} -jar $<TARGET_FILE_DIR:kestrava>/java/kestrava-player.jar
                 --headless ${other_phones} --script ${CMAKE_CURRENT_SOURCE_DIR}/game/keys.play
                 ${game_work}/keys/bin/keys.jad)
set_tests_properties(Game.keys.likeOtherPhones PROPERTIES FIXTURES_REQUIRED game_packages TIMEOUT 120)
# The platform example as other implementations answer: the same play wins the same way.
add_test(NAME Game.ledges.likeOtherPhones
         COMMAND ${KESTRAVA_JAVA} ${game_heap} -jar $<TARGET_FILE_DIR:kestrava>/java/kestrava-player.jar
                 --headless ${other_phones} --script ${CMAKE_CURRENT_SOURCE_DIR}/game/ledges.play
                 ${game_work}/ledges/bin/ledges.jad)
set_tests_properties(Game.ledges.likeOtherPhones PROPERTIES FIXTURES_REQUIRED game_packages TIMEOUT 120)

# Without --size, the screen the jad names, or the default where it names none a game can have.
add_test(NAME Game.TheJadNamesTheScreen
         COMMAND ${CMAKE_COMMAND} -DJAVA=${KESTRAVA_JAVA} -DHEAP=${game_heap} -DPLAYER=$<TARGET_FILE_DIR:kestrava>/java/kestrava-player.jar
                 -DWORK=${game_work} -P ${CMAKE_CURRENT_SOURCE_DIR}/game/JadScreen.cmake)
set_tests_properties(Game.TheJadNamesTheScreen PROPERTIES FIXTURES_REQUIRED game_packages TIMEOUT 120)

# The demo through ProGuard ("Уменьшить игру"), played.
add_test(NAME Game.demo.shrunk
         COMMAND ${KESTRAVA_JAVA} ${game_heap} -jar $<TARGET_FILE_DIR:kestrava>/java/kestrava-player.jar
                 --headless --script ${CMAKE_CURRENT_SOURCE_DIR}/game/shrunk/demo.play
                 --frames ${game_frames}/demo-shrunk ${game_work}/demo-shrunk/bin/demo-shrunk.jad)
set_tests_properties(Game.demo.shrunk PROPERTIES FIXTURES_REQUIRED game_packages TIMEOUT 120)

# The game against its handset's budget: reported, warned of, refused with --strict.
add_test(NAME Game.TheBudgetIsReportedAndStrictRefuses
         COMMAND ${CMAKE_COMMAND} -DKESTRAVA=$<TARGET_FILE:kestrava> -DAPPDIR=$<TARGET_FILE_DIR:kestrava>
                 -DJAVA=${KESTRAVA_JAVA} -DHEAP=${game_heap}
                 -DPLAYER=$<TARGET_FILE_DIR:kestrava>/java/kestrava-player.jar -DWORK=${game_work}
                 -P ${CMAKE_CURRENT_SOURCE_DIR}/game/Budget.cmake)
set_tests_properties(Game.TheBudgetIsReportedAndStrictRefuses PROPERTIES FIXTURES_REQUIRED game_packages TIMEOUT 180)

# A stranger's project and game stay in their folder and run nothing of the author's machine.
find_program(KESTRAVA_JAVAC_FOR_TESTS javac)
add_test(NAME Game.HostileProjectsStayInTheirFolder
         COMMAND ${CMAKE_COMMAND} -DKESTRAVA=$<TARGET_FILE:kestrava> -DAPPDIR=$<TARGET_FILE_DIR:kestrava>
                 -DJAVA=${KESTRAVA_JAVA} -DHEAP=${game_heap} -DJAVAC=${KESTRAVA_JAVAC_FOR_TESTS} -DWORK=${game_work}
                 -P ${CMAKE_CURRENT_SOURCE_DIR}/game/Hostile.cmake)
set_tests_properties(Game.HostileProjectsStayInTheirFolder PROPERTIES FIXTURES_REQUIRED game_packages TIMEOUT 180)

# A fragment that does not compile: the message names the stage, row and action it came from.
add_test(NAME Game.CompilerErrorNamesTheEventRow
         COMMAND $<TARGET_FILE:kestrava> --package ${game_work}/broken/project.prg --app-dir $<TARGET_FILE_DIR:kestrava>)
set_tests_properties(Game.CompilerErrorNamesTheEventRow PROPERTIES
  FIXTURES_REQUIRED game_packages TIMEOUT 120
  PASS_REGULAR_EXPRESSION "Этап 2, строка событий 2 \\(«условие»\\), действие 6 \\(«жизни = сокровища»\\): treasure cannot be resolved to a variable")

# The packaged demo, shrunk or not, is what a CLDC 1.1 phone verifies as it is.
add_test(NAME Game.DemoClassesAreForCldc
         COMMAND ${KESTRAVA_JAVA} -cp $<TARGET_FILE_DIR:kestrava>/java/kestrava-player.jar kestrava.player.check.CldcClassCheck
                 ${game_work}/demo/bin/demo.jar ${game_work}/demo-shrunk/bin/demo-shrunk.jar)
set_tests_properties(Game.DemoClassesAreForCldc PROPERTIES FIXTURES_REQUIRED game_packages TIMEOUT 60)

# A refusal after the conversion says that src and res were written and the jar was not.
add_test(NAME Game.ARefusalAfterTheConversionSaysWhatWasWritten
         COMMAND $<TARGET_FILE:kestrava> --package ${game_work}/broken/project.prg --app-dir $<TARGET_FILE_DIR:kestrava>)
set_tests_properties(Game.ARefusalAfterTheConversionSaysWhatWasWritten PROPERTIES
  FIXTURES_REQUIRED game_packages TIMEOUT 120
  PASS_REGULAR_EXPRESSION "src и рисунки в папке res уже записаны заново; архив игры в папке bin не изменён")

# What a game keeps on the phone survives the player, one folder a game; damaged, it starts afresh.
add_test(NAME Game.RecordsSurviveThePlayerAndDamageStartsAfresh
         COMMAND ${CMAKE_COMMAND} -DJAVA=${KESTRAVA_JAVA} -DPLAYER=$<TARGET_FILE_DIR:kestrava>/java/kestrava-player.jar
                 -DJAD=${game_work}/score/bin/score.jad -DOTHER=${game_work}/garden/bin/garden.jad
                 -DSCRIPTS=${CMAKE_CURRENT_SOURCE_DIR}/game/records
                 -DWORK=${CMAKE_CURRENT_BINARY_DIR} -P ${CMAKE_CURRENT_SOURCE_DIR}/game/Records.cmake)
set_tests_properties(Game.RecordsSurviveThePlayerAndDamageStartsAfresh PROPERTIES FIXTURES_REQUIRED game_packages
                     TIMEOUT 120)
# The sound switch too, in a store of its own beside the records.
add_test(NAME Game.TheSoundSwitchSurvivesThePlayer
         COMMAND ${CMAKE_COMMAND} -DJAVA=${KESTRAVA_JAVA} -DPLAYER=$<TARGET_FILE_DIR:kestrava>/java/kestrava-player.jar
                 -DJAD=${game_work}/soundswitch/bin/soundswitch.jad -DSCRIPTS=${CMAKE_CURRENT_SOURCE_DIR}/game/records-sound
                 -DSTORES=2 -DWORK=${CMAKE_CURRENT_BINARY_DIR} -P ${CMAKE_CURRENT_SOURCE_DIR}/game/Records.cmake)
set_tests_properties(Game.TheSoundSwitchSurvivesThePlayer PROPERTIES FIXTURES_REQUIRED game_packages TIMEOUT 120)

# A game finds at run time every member of the API classes it compiles against that the player has.
add_test(NAME Game.PlayerImplementsTheMidpClasses
         COMMAND ${KESTRAVA_JAVA} -cp $<TARGET_FILE_DIR:kestrava>/java/kestrava-player.jar kestrava.player.check.ApiCheck
                 $<TARGET_FILE_DIR:kestrava>/java/midp-api.jar)
set_tests_properties(Game.PlayerImplementsTheMidpClasses PROPERTIES TIMEOUT 60)

# The API classes games compile against hold what a MIDP 2.0 / CLDC 1.1 phone has, all of it and no more.
add_test(NAME Game.ApiClassesAreTheMidpList
         COMMAND ${KESTRAVA_JAVA} -cp $<TARGET_FILE_DIR:kestrava>/java/kestrava-player.jar kestrava.player.check.ApiListCheck
                 $<TARGET_FILE_DIR:kestrava>/java/midp-api.jar ${CMAKE_SOURCE_DIR}/resources/midp/cldc11-midp20.txt)
set_tests_properties(Game.ApiClassesAreTheMidpList PROPERTIES TIMEOUT 60)
add_test(NAME Game.ApiListCheckSeesBothWays
         COMMAND ${CMAKE_COMMAND} -DJAVA=${KESTRAVA_JAVA} -DPLAYER=$<TARGET_FILE_DIR:kestrava>/java/kestrava-player.jar
                 -DAPI=$<TARGET_FILE_DIR:kestrava>/java/midp-api.jar -DLIST=${CMAKE_SOURCE_DIR}/resources/midp/cldc11-midp20.txt
                 -DWORK=${CMAKE_CURRENT_BINARY_DIR} -P ${CMAKE_CURRENT_SOURCE_DIR}/game/ApiListBothWays.cmake)
set_tests_properties(Game.ApiListCheckSeesBothWays PROPERTIES TIMEOUT 60)
