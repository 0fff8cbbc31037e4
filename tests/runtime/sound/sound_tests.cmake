# The wave-input tests: one program run three ways against the session's
# sound server (scripts/wine-session.sh), one at a time, since a tone played
# into the sink is heard by every recording.
add_executable(sound_win_tests ${CMAKE_CURRENT_LIST_DIR}/recorded_sound_win_test.cpp)
target_link_libraries(sound_win_tests PRIVATE qorva_runtime qorva_test_support
                                              ${QORVA_GTEST_MAIN})
set(sound_run ${CMAKE_SOURCE_DIR}/scripts/wine-run.sh --session ${QORVA_WINE_SESSION}
              $<TARGET_FILE:sound_win_tests>)
add_test(NAME sound_recorded_tone
         COMMAND ${CMAKE_SOURCE_DIR}/scripts/play-tone.sh ${QORVA_WINE_SESSION} 1000 ${sound_run}
                 --gtest_filter=RecordedTone.*)
add_test(NAME sound_recorded_silence COMMAND ${sound_run} --gtest_filter=RecordedSilence.*)
add_test(NAME sound_no_device COMMAND env QORVA_SOUND=off ${sound_run}
                                      --gtest_filter=NoSoundDevice.*)
set_tests_properties(sound_recorded_tone sound_recorded_silence sound_no_device PROPERTIES
                     FIXTURES_REQUIRED wine_session RESOURCE_LOCK sound_server)
