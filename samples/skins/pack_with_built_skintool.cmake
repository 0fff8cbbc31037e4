# Packs one sample skin with the first skintool of TOOLS that exists; a
# Windows program (.exe) runs through EMULATOR.
#   cmake -DSOURCE=<folder> -DOUT=<skin file> -DTOOLS=<path|path...>
#         -DEMULATOR=<runner> -P pack_with_built_skintool.cmake
cmake_minimum_required(VERSION 3.25)

string(REPLACE "|" ";" TOOLS "${TOOLS}")
set(tool "")
foreach(candidate ${TOOLS})
  if(EXISTS "${candidate}")
    set(tool "${candidate}")
    break()
  endif()
endforeach()
if(tool STREQUAL "")
  message(FATAL_ERROR "No skintool to pack ${SOURCE} with; build the native or the win64 "
                      "preset's skintool first (looked for: ${TOOLS})")
endif()

set(command "${tool}")
if(tool MATCHES "\\.exe$")
  set(command "${EMULATOR}" "${tool}")
endif()
execute_process(COMMAND ${command} pack "${SOURCE}" "${OUT}" RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  file(REMOVE "${OUT}")
  message(FATAL_ERROR "skintool pack ${SOURCE} failed (status ${status})")
endif()
