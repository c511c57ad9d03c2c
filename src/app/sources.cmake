# app sources shared by both builds, one per line.
quandrels_sources(
  app/Component.cpp
  app/Interpolation.cpp
  app/Timer.cpp
  app/Window.cpp
  app/SharedLayer.cpp
  app/ExitDisplay.cpp
  app/Quandrels.cpp
  app/Display.cpp
)
