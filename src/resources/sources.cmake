# resources sources shared by both builds, one per line.
quandrels_sources(
  resources/DataFolder.cpp
  resources/Resource.cpp
  resources/Resources.cpp
  resources/SoundPlayback.cpp
)
