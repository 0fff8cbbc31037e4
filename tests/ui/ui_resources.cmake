# Links the ui tests' resource script into ui_win_tests. windres runs
# directly: compile options set for C and C++ (-Wall, -Wextra) would reach it
# through CMake's RC language, and windres refuses them.
set(ui_test_rc ${CMAKE_CURRENT_LIST_DIR}/ui_test.rc)
set(ui_test_res ${CMAKE_CURRENT_BINARY_DIR}/ui_test_rc.obj)
add_custom_command(
  OUTPUT ${ui_test_res}
  COMMAND ${CMAKE_RC_COMPILER} -O coff -I ${CMAKE_CURRENT_LIST_DIR} -i ${ui_test_rc} -o ${ui_test_res}
  WORKING_DIRECTORY ${CMAKE_CURRENT_LIST_DIR}
  DEPENDS ${ui_test_rc} ${CMAKE_CURRENT_LIST_DIR}/ui_test_resource.h
          ${CMAKE_CURRENT_LIST_DIR}/res/toolbar.bmp ${CMAKE_CURRENT_LIST_DIR}/res/tree.bmp
  VERBATIM)
set_source_files_properties(${ui_test_res} PROPERTIES EXTERNAL_OBJECT TRUE GENERATED TRUE)
target_sources(ui_win_tests PRIVATE ${ui_test_res})
