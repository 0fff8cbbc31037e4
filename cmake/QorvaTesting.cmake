# Test registration. One CTest entry per test executable: under Wine every
# start costs about a second, so cases are grouped inside GoogleTest.
enable_testing()

if(CMAKE_CROSSCOMPILING AND WIN32)
  # GoogleTest is built from Debian's sources with the cross compiler.
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  set(QORVA_GTEST_MAIN gtest_main)
  set(QORVA_GMOCK gmock)

  # Windows programs run through the Wine runner; all of them share one
  # Xvfb display and one wineserver, started and stopped by the fixture.
  set(QORVA_WINE_SESSION ${CMAKE_BINARY_DIR}/wine)
  set(CMAKE_CROSSCOMPILING_EMULATOR
      ${CMAKE_SOURCE_DIR}/scripts/wine-run.sh --session ${QORVA_WINE_SESSION})
  add_test(NAME wine_session_start
           COMMAND ${CMAKE_SOURCE_DIR}/scripts/wine-session.sh start ${QORVA_WINE_SESSION})
  add_test(NAME wine_session_stop
           COMMAND ${CMAKE_SOURCE_DIR}/scripts/wine-session.sh stop ${QORVA_WINE_SESSION})
  set_tests_properties(wine_session_start PROPERTIES FIXTURES_SETUP wine_session)
  set_tests_properties(wine_session_stop PROPERTIES FIXTURES_CLEANUP wine_session)
else()
  find_package(GTest REQUIRED)
  set(QORVA_GTEST_MAIN GTest::gtest_main)
  set(QORVA_GMOCK GTest::gmock)
endif()

# qorva_add_test(<name> SOURCES <files...> LIBS <targets...>)
function(qorva_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} ${QORVA_GTEST_MAIN})
  target_compile_definitions(${name} PRIVATE
      QORVA_TEST_DATA_DIR="${CMAKE_SOURCE_DIR}/tests")
  add_test(NAME ${name} COMMAND ${name})
  if(CMAKE_CROSSCOMPILING AND WIN32)
    set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine_session)
  endif()
endfunction()
