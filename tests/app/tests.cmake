unit_test(
  app/ComponentTest.cpp
  app/InterpolationTest.cpp
)
unit_test_both(
  app/TimerTest.cpp
)
gl_test_both(
  app/WindowLoopTest.cpp
)
gl_test_both(
  app/ScreenPixel.cpp
)
if(QUANDRELS_GL_TESTS)
  # ScreenPixel reads the shown window back from the X server.
  find_package(X11 REQUIRED)
  target_link_libraries(gl_tests PRIVATE X11::X11)
  target_link_libraries(gl_tests_fixed PRIVATE X11::X11)
endif()
