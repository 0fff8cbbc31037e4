# Runs the built skintool program (under Wine for Windows builds) through
# pack, dump, unpack, pack again, convert and a failure, checking exit
# status, output and message the way a build pipeline would see them.
#   cmake -DSKINTOOL=<program> -DEMULATOR=<runner|args, or empty>
#         -DDATA=<tests/tools/data> -DWORK=<scratch folder> -P skintool_cli_test.cmake
cmake_minimum_required(VERSION 3.25)

string(REPLACE "|" ";" EMULATOR "${EMULATOR}")
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")

# run(<expected status> <output variable> <error variable> <arguments...>)
function(run expected out err)
  execute_process(COMMAND ${EMULATOR} "${SKINTOOL}" ${ARGN}
                  RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE error)
  if(NOT status STREQUAL "${expected}")
    message(FATAL_ERROR "skintool ${ARGN}: status ${status}, expected ${expected}\n${error}")
  endif()
  set(${out} "${output}" PARENT_SCOPE)
  set(${err} "${error}" PARENT_SCOPE)
endfunction()

file(READ "${DATA}/cli.dump.json" expected_dump)

run(0 output error pack "${DATA}/cli" "${WORK}/sample.skin")
run(0 dump error dump "${WORK}/sample.skin")
if(NOT dump STREQUAL expected_dump)
  message(FATAL_ERROR "dump differs from cli.dump.json:\n${dump}")
endif()

run(0 output error unpack "${WORK}/sample.skin" "${WORK}/unpacked")
if(NOT EXISTS "${WORK}/unpacked/skin.json" OR
   NOT EXISTS "${WORK}/unpacked/container0-background.png")
  message(FATAL_ERROR "unpack did not write skin.json and the pictures")
endif()
run(0 output error pack "${WORK}/unpacked" "${WORK}/again.skin")
run(0 dump error dump "${WORK}/again.skin")
if(NOT dump STREQUAL expected_dump)
  message(FATAL_ERROR "dump after unpack and pack differs:\n${dump}")
endif()

run(0 output error convert "${DATA}/cli/pixel.bmp" "${WORK}/pixel.PNG")
run(0 output error convert "${WORK}/pixel.PNG" "${WORK}/pixel.bmp")
# The picture that went BMP -> PNG -> BMP packs into the same skin.
file(MAKE_DIRECTORY "${WORK}/converted")
file(COPY "${DATA}/cli/skin.json" DESTINATION "${WORK}/converted")
file(RENAME "${WORK}/pixel.bmp" "${WORK}/converted/pixel.bmp")
run(0 output error pack "${WORK}/converted" "${WORK}/converted.skin")
run(0 dump error dump "${WORK}/converted.skin")
if(NOT dump STREQUAL expected_dump)
  message(FATAL_ERROR "dump after converting the picture differs:\n${dump}")
endif()

run(1 output error dump "${WORK}/missing.skin")
if(NOT error STREQUAL "skintool: ${WORK}/missing.skin: no such file\n" OR NOT output STREQUAL "")
  message(FATAL_ERROR "unexpected failure report: [${output}] [${error}]")
endif()
message(STATUS "skintool passed pack, dump, unpack, convert and failure checks")
