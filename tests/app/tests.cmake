unit_test(
  app/ComponentTest.cpp
  app/InterpolationTest.cpp
)
unit_test_both(
  app/TimerTest.cpp
  app/DisplayTest.cpp
)
unit_test_both(
  app/WindowTest.cpp
  app/QuandrelsTest.cpp
)
gl_test(
  app/WindowFailureTest.cpp
  app/ProgramTest.cpp
)
gl_test_both(
  app/WindowLoopTest.cpp
  app/FullscreenTest.cpp
  app/XScreen.cpp
)
if(QUANDRELS_GL_TESTS)
  # XScreen asks the X server what is on the screen.
  find_package(X11 REQUIRED)
  target_link_libraries(gl_tests PRIVATE X11::X11)
  target_link_libraries(gl_tests_fixed PRIVATE X11::X11)
  # ProgramTest starts the programs themselves.
  add_dependencies(gl_tests quandrels quandrels-fixed quandrels-pack quandrels_pack_data)
endif()
# The fade layer, the exit screen and the application's shutdown on real windows.
gl_test_both(
  app/DisplayEventsTest.cpp
  app/ShutdownTest.cpp
  app/SharedLayerTest.cpp
  app/ExitDisplayTest.cpp
)
