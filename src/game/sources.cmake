# game sources shared by both builds, one per line.
quandrels_sources(
  game/ExitDisplay.cpp
  game/Quandrels.cpp
)
