# Builds the Debian package from this build, checks what it holds, then runs
# the installed layout from an unpacked, read-only copy: the first start seeds
# the author's folder, --convert of the demo works, and a second start keeps
# what the author changed.
#   cmake -DBUILD_DIR=... -DWORK=... -DDEMO=... -DVERSION=... -P CheckPackage.cmake
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "${ARGN} failed (${result}):\n${out}\n${err}")
  endif()
  set(out "${out}" PARENT_SCOPE)
endfunction()

function(expect text pattern what)
  if(NOT text MATCHES "${pattern}")
    message(FATAL_ERROR "${what}: «${pattern}» not found in:\n${text}")
  endif()
endfunction()

run(cpack -G DEB --config ${BUILD_DIR}/CPackConfig.cmake -B ${WORK}/deb)
file(GLOB debs ${WORK}/deb/kestrava_${VERSION}_*.deb)
list(LENGTH debs count)
if(NOT count EQUAL 1)
  message(FATAL_ERROR "expected one package in ${WORK}/deb, found: ${debs}")
endif()

run(dpkg-deb -f ${debs} Package Version Depends Recommends Section)
expect("${out}" "Package: kestrava" "control")
expect("${out}" "Version: ${VERSION}" "control")
expect("${out}" "Depends: [^\n]*libqt6widgets6" "dependencies")
expect("${out}" "Depends: [^\n]*libpng16" "dependencies")
expect("${out}" "Recommends: [^\n]*ecj" "recommendations")

run(dpkg-deb -c ${debs})
foreach(path
    ./usr/bin/kestrava
    ./usr/share/applications/kestrava.desktop
    ./usr/share/mime/packages/kestrava.xml
    ./usr/share/man/man1/kestrava.1.gz
    ./usr/share/icons/hicolor/48x48/apps/kestrava.png
    ./usr/share/icons/hicolor/256x256/apps/kestrava.png
    ./usr/share/doc/kestrava/copyright
    ./usr/share/doc/kestrava/changelog.gz
    ./usr/share/kestrava/draft/Etap0.java
    ./usr/share/kestrava/images/event1.bmp
    ./usr/share/kestrava/java/midp-api.jar
    ./usr/share/kestrava/java/kestrava-player.jar
    ./usr/share/kestrava/objects/hero.oba)
  expect("${out}" " ${path}\n" "package contents")
endforeach()

set(root ${WORK}/root)
run(dpkg-deb -x ${debs} ${root})
file(READ ${root}/usr/share/applications/kestrava.desktop desktop)
expect("${desktop}" "Exec=kestrava %f" "desktop entry")
expect("${desktop}" "MimeType=application/x-kestrava-project;" "desktop entry")
file(READ ${root}/usr/share/mime/packages/kestrava.xml mime)
expect("${mime}" "value=\"fdgdf\\\\r\\\\nnumb_level" "project file type")
run(sh -c "gzip -dc '${root}/usr/share/man/man1/kestrava.1.gz'")
expect("${out}" "--app-dir|\\\\-\\\\-app\\\\-dir" "manual page")
run(chmod -R a-w ${root})

# The installed program, with a home of its own.
set(env ${CMAKE_COMMAND} -E env --unset=KESTRAVA_APP_DIR XDG_DATA_HOME=${WORK}/data HOME=${WORK}/home
    QT_QPA_PLATFORM=offscreen)
set(kestrava ${root}/usr/bin/kestrava)
run(${env} ${kestrava} --help)
expect("${out}" "Папка программы: ${WORK}/data/kestrava" "--help")
expect("${out}" "${root}/usr/share/kestrava" "--help")
if(NOT EXISTS ${WORK}/data/kestrava/objects/hero.oba)
  message(FATAL_ERROR "the first start did not seed the author's object library")
endif()

file(COPY ${DEMO}/ DESTINATION ${WORK}/demo)
run(${env} ${kestrava} --convert ${WORK}/demo/project.prg)
if(NOT EXISTS ${WORK}/demo/src/Etap0.java OR NOT EXISTS ${WORK}/demo/src/MyGameCanvas.java)
  message(FATAL_ERROR "--convert of the demo wrote no game sources:\n${out}")
endif()

run(${env} ${kestrava} --package ${WORK}/demo/project.prg)
file(GLOB jars ${WORK}/demo/bin/*.jar)
if(NOT jars)
  message(FATAL_ERROR "--package of the demo wrote no jar:\n${out}")
endif()

file(WRITE ${WORK}/data/kestrava/objects/hero.oba "changed by the author")
run(${env} ${kestrava} --version)
file(READ ${WORK}/data/kestrava/objects/hero.oba hero)
if(NOT hero STREQUAL "changed by the author")
  message(FATAL_ERROR "a second start replaced what the author changed")
endif()
run(chmod -R u+w ${root})
