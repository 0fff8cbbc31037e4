# Stages the sample installer project and runs mkinstaller over it.
# Variables: PROJECT (this folder), STAGE (emptied and filled), INPUTS (list
# of "source=entry" files to add), TOOLS (mkinstaller candidates, first
# existing one wins; .exe ones run through EMULATOR), STUB (setup.exe), OUT,
# STRIP (optional: the toolchain's strip, run over the framework libraries).
file(REMOVE_RECURSE "${STAGE}")
file(MAKE_DIRECTORY "${STAGE}")
file(COPY "${PROJECT}/index" "${PROJECT}/install_gui_tvx" "${PROJECT}/art" DESTINATION "${STAGE}")
foreach(input IN LISTS INPUTS)
  string(FIND "${input}" "=" at REVERSE)
  string(SUBSTRING "${input}" 0 ${at} source)
  math(EXPR after "${at} + 1")
  string(SUBSTRING "${input}" ${after} -1 entry)
  get_filename_component(folder "${STAGE}/${entry}" DIRECTORY)
  file(MAKE_DIRECTORY "${folder}")
  file(COPY_FILE "${source}" "${STAGE}/${entry}")
  # The framework libraries are unpacked and loaded at every start of the
  # installer; their debug information would only be carried, unpacked and
  # mapped for nothing.
  if(STRIP AND entry MATCHES "^tervix_")
    execute_process(COMMAND "${STRIP}" --strip-all "${STAGE}/${entry}" RESULT_VARIABLE stripped)
    if(NOT stripped EQUAL 0)
      message(FATAL_ERROR "stripping ${entry} failed (${stripped})")
    endif()
  endif()
endforeach()

set(tool "")
foreach(candidate IN LISTS TOOLS)
  if(EXISTS "${candidate}")
    set(tool "${candidate}")
    break()
  endif()
endforeach()
if(tool STREQUAL "")
  message(FATAL_ERROR "sample-setup.exe: no mkinstaller that runs here (looked for ${TOOLS}); "
                      "build the native or win64 preset first")
endif()
set(command "${tool}")
if(tool MATCHES "\\.exe$")
  set(command "${EMULATOR}" "${tool}")
endif()
execute_process(COMMAND ${command} build "${STAGE}" "${STUB}" "${OUT}"
                RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT code EQUAL 0)
  file(REMOVE "${OUT}")
  message(FATAL_ERROR "mkinstaller failed (${code}):\n${out}${err}")
endif()
