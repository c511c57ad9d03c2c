unit_test(
  window/InterpolationTest.cpp
)
unit_test_both(
  window/TimerTest.cpp
  window/WindowTest.cpp
)
gl_test(
  window/WindowFailureTest.cpp
)
gl_test_both(
  window/WindowLoopTest.cpp
  window/XScreen.cpp
)
if(QUANDRELS_GL_TESTS)
  # XScreen asks the X server what is on the screen.
  find_package(X11 REQUIRED)
  target_link_libraries(gl_tests PRIVATE X11::X11)
  target_link_libraries(gl_tests_fixed PRIVATE X11::X11)
endif()
