# The Windows tests of the framework load the built DLLs from bin/ by full
# path, so the DLLs are built first.
if(TARGET framework_win_tests)
  foreach(_library oxu ioweave planex tvx korrab pixway)
    if(TARGET ${_library})
      add_dependencies(framework_win_tests ${_library})
    endif()
  endforeach()
endif()
