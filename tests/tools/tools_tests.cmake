# The tools' tests: the in-process unit tests, plus one run of the built
# skintool program from the command line (through Wine for Windows builds).
qorva_add_folder_tests(tools "skintool_core;qorva_model")

set(_skintool_emulator "")
if(CMAKE_CROSSCOMPILING AND WIN32)
  # A list cannot pass through -D on a test command line; the script splits at "|".
  list(JOIN CMAKE_CROSSCOMPILING_EMULATOR "|" _skintool_emulator)
endif()
add_test(NAME skintool_cli
         COMMAND ${CMAKE_COMMAND}
                 -DSKINTOOL=$<TARGET_FILE:skintool>
                 -DEMULATOR=${_skintool_emulator}
                 -DDATA=${CMAKE_CURRENT_SOURCE_DIR}/tools/data
                 -DWORK=${CMAKE_CURRENT_BINARY_DIR}/skintool_cli
                 -P ${CMAKE_CURRENT_SOURCE_DIR}/tools/skintool_cli_test.cmake)
if(CMAKE_CROSSCOMPILING AND WIN32)
  set_tests_properties(skintool_cli PROPERTIES FIXTURES_REQUIRED wine_session)
endif()
unset(_skintool_emulator)
