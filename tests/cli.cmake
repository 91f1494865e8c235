# The command line: an unknown option prints the usage and fails before any window opens.
add_test(NAME kestrava_cli_unknown_option COMMAND kestrava --no-such-option)
set_tests_properties(kestrava_cli_unknown_option PROPERTIES
  ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
  WILL_FAIL TRUE TIMEOUT 30)
add_test(NAME kestrava_cli_usage COMMAND kestrava --no-such-option)
set_tests_properties(kestrava_cli_usage PROPERTIES
  ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
  PASS_REGULAR_EXPRESSION "--app-dir" TIMEOUT 30)
