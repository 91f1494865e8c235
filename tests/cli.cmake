# The command line: a wrong option prints the usage and fails before any
# window could open (no display is reachable here).
add_test(NAME kestrava_cli_unknown_option COMMAND kestrava --no-such-option)
set_tests_properties(kestrava_cli_unknown_option PROPERTIES
  ENVIRONMENT "QT_QPA_PLATFORM=xcb;DISPLAY=:no-such-display"
  WILL_FAIL TRUE TIMEOUT 30)
add_test(NAME kestrava_cli_usage COMMAND kestrava --no-such-option)
set_tests_properties(kestrava_cli_usage PROPERTIES
  ENVIRONMENT "QT_QPA_PLATFORM=xcb;DISPLAY=:no-such-display"
  PASS_REGULAR_EXPRESSION "Неизвестный параметр «--no-such-option».*--app-dir" TIMEOUT 30)
add_test(NAME kestrava_cli_help COMMAND kestrava --help)
set_tests_properties(kestrava_cli_help PROPERTIES
  ENVIRONMENT "QT_QPA_PLATFORM=xcb;DISPLAY=:no-such-display"
  PASS_REGULAR_EXPRESSION "Использование: kestrava.*--version.*Папка программы: " TIMEOUT 30)
add_test(NAME kestrava_cli_version COMMAND kestrava --version)
set_tests_properties(kestrava_cli_version PROPERTIES
  PASS_REGULAR_EXPRESSION "^kestrava ${PROJECT_VERSION}\n$" TIMEOUT 30)

# --convert works without any display and fails loudly on a project it cannot read.
add_test(NAME kestrava_cli_convert_missing_project COMMAND kestrava --convert /nonexistent/project.prg)
set_tests_properties(kestrava_cli_convert_missing_project PROPERTIES
  ENVIRONMENT "QT_QPA_PLATFORM=xcb;DISPLAY=:no-such-display"
  WILL_FAIL TRUE TIMEOUT 30)
add_test(NAME kestrava_cli_convert_names_the_file COMMAND kestrava --convert /nonexistent/project.prg)
set_tests_properties(kestrava_cli_convert_names_the_file PROPERTIES
  ENVIRONMENT "QT_QPA_PLATFORM=xcb;DISPLAY=:no-such-display"
  PASS_REGULAR_EXPRESSION "project.prg" TIMEOUT 30)

# --package needs no display either, and names the project it cannot read.
add_test(NAME kestrava_cli_package_names_the_file COMMAND kestrava --package /nonexistent/project.prg)
set_tests_properties(kestrava_cli_package_names_the_file PROPERTIES
  ENVIRONMENT "QT_QPA_PLATFORM=xcb;DISPLAY=:no-such-display"
  PASS_REGULAR_EXPRESSION "project.prg" TIMEOUT 30)
