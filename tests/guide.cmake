# The guide: the tutorial's screenshots are taken from the real windows by
# kestrava_guide (offscreen), and every page, link and picture the pages name
# is there.
add_test(NAME Guide.PagesLinksAndScreenshotsAreWhole
         COMMAND ${CMAKE_COMMAND} -DGUIDE=$<TARGET_FILE:kestrava_guide> -DAPPDIR=$<TARGET_FILE_DIR:kestrava>
                 -DSOURCE=${CMAKE_SOURCE_DIR}/docs/guide -DWORK=${CMAKE_CURRENT_BINARY_DIR}/guide-check
                 -P ${CMAKE_CURRENT_SOURCE_DIR}/guide/CheckGuide.cmake)
set_tests_properties(Guide.PagesLinksAndScreenshotsAreWhole PROPERTIES TIMEOUT 120
                     ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
