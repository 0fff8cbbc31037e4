# The ui tests' resource script (menus, toolbar, dialogs of the test frames),
# compiled by windres into ui_win_tests.
target_sources(ui_win_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/ui_test.rc)
