# setup.exe as a user meets it: an installer built by mkinstaller from a
# project without framework libraries passes the payload check and stops at
# the environment set-up; a copy with a byte appended stops at the payload
# check; the sample installer, which carries the framework, shows its window
# without a message box while its temporary folder holds the libraries, and
# after Escape has removed the folder and ends with -1. Every message box is
# answered by setup_answerer.
# Variables: MKINSTALLER, SETUP, ANSWERER, EMULATOR (may be empty), PROJECT,
# WORK, SAMPLE_SETUP (the built sample installer).
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")

execute_process(COMMAND ${EMULATOR} "${MKINSTALLER}" build "${PROJECT}" "${SETUP}"
                        "${WORK}/installer.exe"
                RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT code EQUAL 0)
  message(FATAL_ERROR "mkinstaller build failed (${code}):\n${out}${err}")
endif()

# A byte after the trailer: the payload check must refuse the file.
file(COPY_FILE "${WORK}/installer.exe" "${WORK}/corrupt.exe")
file(APPEND "${WORK}/corrupt.exe" "x")

function(expect_run program expected)
  execute_process(COMMAND ${EMULATOR} "${ANSWERER}" "${program}" 60
                  RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
  string(REPLACE "\r" "" out "${out}")
  if(NOT code EQUAL 0 OR NOT out STREQUAL expected)
    message(FATAL_ERROR "${program}: answerer exit ${code}\n"
                        "got:\n${out}${err}\nexpected:\n${expected}")
  endif()
endfunction()

expect_run("${WORK}/installer.exe"
  "box Critical Error|Failed to setup temporary Tervix enviornment! - Aborting\n\
box Critical Error|Failed to Initialize installer script engine.\n\
exit -1\n")
expect_run("${WORK}/corrupt.exe"
  "box Fatal Error...|The install data is corrupt!,\\nPlease download the installer again!\n\
exit 0\n")

# The sample installer. Its folder holds the six libraries and the
# registrations file the registrar writes next to them.
if(NOT EXISTS "${SAMPLE_SETUP}")
  message(FATAL_ERROR "${SAMPLE_SETUP} is missing")
endif()
execute_process(COMMAND ${EMULATOR} "${ANSWERER}" "${SAMPLE_SETUP}" 90 "Qorva Setup"
                RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
string(REPLACE "\r" "" out "${out}")
set(expected_sample
    "window Qorva Setup\n\
folder (trvxtmp~[0-9a-f]+) holds ioweave.dll korrab.dll oxu.dll oxulib.conf pixway.dll planex.dll tvx.dll\n\
folder (trvxtmp~[0-9a-f]+) removed\n\
exit -1\n")
if(NOT code EQUAL 0 OR NOT out MATCHES "^${expected_sample}$" OR
   NOT CMAKE_MATCH_1 STREQUAL CMAKE_MATCH_2)
  message(FATAL_ERROR "sample-setup.exe: answerer exit ${code}\n"
                      "got:\n${out}${err}\nexpected (pattern):\n${expected_sample}")
endif()
