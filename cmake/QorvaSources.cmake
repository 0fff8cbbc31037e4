# qorva_collect_sources(<out-var> <dir>): the portable sources of a folder,
# plus its Windows-only ones (named *_win.cpp) when building for Windows.
function(qorva_collect_sources out dir)
  file(GLOB all CONFIGURE_DEPENDS ${dir}/*.cpp)
  set(result "")
  foreach(f IN LISTS all)
    if(f MATCHES "_win\\.cpp$" AND NOT WIN32)
      continue()
    endif()
    list(APPEND result ${f})
  endforeach()
  set(${out} ${result} PARENT_SCOPE)
endfunction()
