unit_test_both(
  app/DisplayTest.cpp
)
# The fade layer and the application's loop, toggle and shutdown on real windows.
gl_test_both(
  app/FullscreenTest.cpp
  app/DisplayEventsTest.cpp
  app/ShutdownTest.cpp
  app/SharedLayerTest.cpp
  app/WindowIconTest.cpp
  app/WindowIconProperty.cpp
)
