# The lava-stones teaser, shared by both builds, one per line.
quandrels_sources(
  game/lava/Clouds.cpp
  game/lava/Flash.cpp
  game/lava/Glitter.cpp
  game/lava/HiddenReset.cpp
  game/lava/Lava.cpp
  game/lava/LavaStones.cpp
  game/lava/Nova.cpp
  game/lava/Progress.cpp
  game/lava/Star.cpp
  game/lava/Stone.cpp
  render/TexcoordScroll.cpp
)
