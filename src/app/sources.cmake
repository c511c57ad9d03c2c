# app sources shared by both builds, one per line.
quandrels_sources(
  app/Application.cpp
  app/Display.cpp
  app/Overlay.cpp
  app/SharedLayer.cpp
)
