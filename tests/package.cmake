# The Debian package: built from this build, its contents checked, and the
# installed layout run from an unpacked copy.
find_program(DPKG_DEB dpkg-deb)
find_program(DPKG_SHLIBDEPS dpkg-shlibdeps)
if(DPKG_DEB AND DPKG_SHLIBDEPS)
  add_test(NAME kestrava_package
           COMMAND ${CMAKE_COMMAND} -DBUILD_DIR=${CMAKE_BINARY_DIR} -DWORK=${CMAKE_BINARY_DIR}/package-check
                   -DDEMO=${CMAKE_SOURCE_DIR}/examples/demo -DVERSION=${PROJECT_VERSION}
                   -P ${CMAKE_CURRENT_SOURCE_DIR}/package/CheckPackage.cmake)
  set_tests_properties(kestrava_package PROPERTIES TIMEOUT 600 RUN_SERIAL TRUE)
else()
  message(WARNING "dpkg-deb or dpkg-shlibdeps missing: the package test is left out "
                  "(scripts/install-deps.sh installs dpkg-dev)")
endif()
