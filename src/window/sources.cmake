# window sources shared by both builds, one per line.
quandrels_sources(
  window/Interpolation.cpp
  window/Timer.cpp
  window/Window.cpp
  window/WindowIcon.cpp
)
