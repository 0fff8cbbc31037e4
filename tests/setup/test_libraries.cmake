# Stand-ins for the framework's oxu.dll that the binding tests load by path:
# one that works, one whose DLLAttach refuses, one without a factory. They
# land beside the test program (bin/).
if(WIN32)
  function(_qorva_fake_oxu name)
    add_library(${name} SHARED ${CMAKE_CURRENT_LIST_DIR}/fake_oxu/fake_oxu.cpp)
    target_compile_definitions(${name} PRIVATE ${ARGN})
    set_target_properties(${name} PROPERTIES PREFIX "")
    # Undecorated export names on 32-bit too; self-contained, because the
    # binding loads it with a search limited to its folder and the system folder.
    target_link_options(${name} PRIVATE -Wl,--kill-at -static)
  endfunction()
  _qorva_fake_oxu(fake_oxu FAKE_OXU_WORKS)
  _qorva_fake_oxu(fake_oxu_refuses FAKE_OXU_REFUSES_ATTACH)
  _qorva_fake_oxu(fake_oxu_no_factory FAKE_OXU_NO_FACTORY)
  # The program the install action tests put into an archive and run.
  add_executable(install_test_program ${CMAKE_CURRENT_LIST_DIR}/install_test_program/install_test_program.cpp)
  target_link_options(install_test_program PRIVATE -static)
  if(TARGET setup_win_tests)
    add_dependencies(setup_win_tests fake_oxu fake_oxu_refuses fake_oxu_no_factory
                     install_test_program)
  endif()
endif()

# The XML document double of the uninstall log tests works over pugixml (the
# installer itself reaches XML only through the framework); the install tests
# use the real XML document of ioweave and the values of planex, linked in
# directly.
foreach(setup_test_target setup_tests setup_win_tests)
  if(TARGET ${setup_test_target})
    target_link_libraries(${setup_test_target} PRIVATE qorva::pugixml qorva_ioweave_core qorva_planex_core)
  endif()
endforeach()
