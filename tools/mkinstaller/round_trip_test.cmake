# mkinstaller build, then verify; a copy with a byte appended after the
# trailer must be refused. Variables: TOOL, EMULATOR (may be empty), PROJECT, WORK.
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
file(WRITE "${WORK}/stub.exe" "MZ not a real program, only the bytes before the payload")

function(run_tool expected_code out_var)
  execute_process(COMMAND ${EMULATOR} "${TOOL}" ${ARGN}
                  RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT code EQUAL expected_code)
    message(FATAL_ERROR
            "mkinstaller ${ARGN}: exit ${code}, expected ${expected_code}\n${out}${err}")
  endif()
  set(${out_var} "${out}" PARENT_SCOPE)
endfunction()

function(expect_output output text)
  string(FIND "${output}" "${text}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "expected \"${text}\" in:\n${output}")
  endif()
endfunction()

run_tool(0 built build "${PROJECT}" "${WORK}/stub.exe" "${WORK}/setup.exe")
run_tool(0 verified verify "${WORK}/setup.exe")
expect_output("${verified}" "index ")
expect_output("${verified}" "files/readme.txt ")
expect_output("${verified}" "files/empty.txt 0 ")
expect_output("${verified}" "payload ok")

file(COPY_FILE "${WORK}/setup.exe" "${WORK}/appended.exe")
file(APPEND "${WORK}/appended.exe" "x")
run_tool(1 refused verify "${WORK}/appended.exe")
expect_output("${refused}" "no trailer")

run_tool(1 missing verify "${WORK}/does-not-exist.exe")
expect_output("${missing}" "file unreadable")
