# setup.exe as a user meets it: an installer built by mkinstaller from a
# project without framework libraries passes the payload check and stops at
# the environment set-up; a copy with a byte appended stops at the payload
# check; one with the framework libraries but no window markup reports the
# missing markup; the sample installer, which carries the framework, shows its window
# without a message box while its temporary folder holds the libraries, and
# after Escape has removed the folder and ends with -1. Every message box is
# answered by setup_answerer.
# Variables: MKINSTALLER, SETUP, ANSWERER, EMULATOR (may be empty), PROJECT,
# WORK, SAMPLE_SETUP (the built sample installer), SAMPLE_STAGE (its staged
# project, holding the framework libraries under their entry names).
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

# Each run gets a temporary folder of its own (TMP and TEMP point there), so
# what a run leaves behind is seen and never mixed with other runs'.
# The emulator's drive Z: is the host's root.
function(temp_folder name out_unix out_windows)
  set(folder "${WORK}/temp-${name}")
  file(MAKE_DIRECTORY "${folder}")
  string(REPLACE "/" "\\" windows "Z:${folder}")
  set(${out_unix} "${folder}" PARENT_SCOPE)
  set(${out_windows} "${windows}" PARENT_SCOPE)
endfunction()

function(expect_run program temp expected)
  temp_folder(${temp} unix windows)
  execute_process(COMMAND ${EMULATOR} "${ANSWERER}" --temp "${windows}" "${program}" 60
                  RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
  string(REPLACE "\r" "" out "${out}")
  if(NOT code EQUAL 0 OR NOT out STREQUAL expected)
    message(FATAL_ERROR "${program}: answerer exit ${code}\n"
                        "got:\n${out}${err}\nexpected:\n${expected}")
  endif()
endfunction()

# No framework in the payload: the set-up fails at the first library and
# leaves the folder it had created.
expect_run("${WORK}/installer.exe" no-framework
  "box Critical Error|Failed to setup temporary Tervix enviornment! - Aborting\n\
box Critical Error|Failed to Initialize installer script engine.\n\
folder trvxtmp~0 left\n\
exit -1\n")
expect_run("${WORK}/corrupt.exe" corrupt
  "box Fatal Error...|The install data is corrupt!,\\nPlease download the installer again!\n\
exit 0\n")

# The framework libraries without the window markup: the markup load fails,
# and the environment is still torn down.
if(NOT EXISTS "${SAMPLE_STAGE}/tervix_tvx")
  message(FATAL_ERROR "${SAMPLE_STAGE} holds no framework libraries")
endif()
file(COPY "${PROJECT}/" DESTINATION "${WORK}/no-markup-project")
file(GLOB libraries "${SAMPLE_STAGE}/tervix_*")
list(LENGTH libraries library_count)
if(NOT library_count EQUAL 6)
  message(FATAL_ERROR "expected six framework libraries in ${SAMPLE_STAGE}, found ${libraries}")
endif()
file(COPY ${libraries} DESTINATION "${WORK}/no-markup-project")
execute_process(COMMAND ${EMULATOR} "${MKINSTALLER}" build "${WORK}/no-markup-project" "${SETUP}"
                        "${WORK}/no-markup.exe"
                RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT code EQUAL 0)
  message(FATAL_ERROR "mkinstaller build (no markup) failed (${code}):\n${out}${err}")
endif()
expect_run("${WORK}/no-markup.exe" no-markup
  "box Error!|\"install_gui_tvx\" not found!\\n\n\
exit -1\n")

# The sample installer, with trvxtmp~0 to trvxtmp~9 prepared by someone else
# (each holding a file of its own): the run takes trvxtmp~a. Its folder holds
# the six libraries and the registrations file the registrar writes next to
# them, and Escape removes it while the prepared folders stay as they were.
if(NOT EXISTS "${SAMPLE_SETUP}")
  message(FATAL_ERROR "${SAMPLE_SETUP} is missing")
endif()
temp_folder(sample sample_unix sample_windows)
set(prepared 0 1 2 3 4 5 6 7 8 9)
foreach(n IN LISTS prepared)
  file(WRITE "${sample_unix}/trvxtmp~${n}/owner.txt" "prepared ${n}\n")
endforeach()
execute_process(COMMAND ${EMULATOR} "${ANSWERER}" --temp "${sample_windows}" "${SAMPLE_SETUP}" 90
                        "Qorva Setup"
                RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
string(REPLACE "\r" "" out "${out}")
set(expected_sample
    "window Qorva Setup\n\
folder trvxtmp~a holds ioweave.dll korrab.dll oxu.dll oxulib.conf pixway.dll planex.dll tvx.dll\n\
folder trvxtmp~a removed\n\
exit -1\n")
if(NOT code EQUAL 0 OR NOT out STREQUAL expected_sample)
  message(FATAL_ERROR "sample-setup.exe: answerer exit ${code}\n"
                      "got:\n${out}${err}\nexpected:\n${expected_sample}")
endif()
file(GLOB left RELATIVE "${sample_unix}" "${sample_unix}/*")
list(SORT left)
set(expected_left "")
foreach(n IN LISTS prepared)
  list(APPEND expected_left "trvxtmp~${n}")
  file(GLOB held RELATIVE "${sample_unix}/trvxtmp~${n}" "${sample_unix}/trvxtmp~${n}/*")
  file(READ "${sample_unix}/trvxtmp~${n}/owner.txt" owner)
  if(NOT held STREQUAL "owner.txt" OR NOT owner STREQUAL "prepared ${n}\n")
    message(FATAL_ERROR "prepared folder trvxtmp~${n} was changed: holds ${held}")
  endif()
endforeach()
if(NOT left STREQUAL expected_left)
  message(FATAL_ERROR "temporary folder after the run holds ${left}, expected ${expected_left}")
endif()
