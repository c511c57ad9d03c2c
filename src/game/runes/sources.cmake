# The runes teaser, shared by both builds.
quandrels_sources(
  game/runes/Button.cpp
  game/runes/Result.cpp
  game/runes/Rune.cpp
  game/runes/Runes.cpp
)
