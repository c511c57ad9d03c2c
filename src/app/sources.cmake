# app sources shared by both builds, one per line.
quandrels_sources(
  app/Application.cpp
  app/Display.cpp
  app/DisplayScene.cpp
  app/DrawPass.cpp
  app/Overlay.cpp
  app/SharedLayer.cpp
)
