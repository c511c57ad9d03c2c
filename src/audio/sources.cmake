# audio sources shared by both builds, one per line.
quandrels_sources(
  audio/AudioPlayer.cpp
  audio/Sound.cpp
  audio/WavHeader.cpp
)
