# core sources shared by both builds, one per line.
quandrels_sources(
  core/Buffer.cpp
  core/Component.cpp
  core/Fail.cpp
  core/FreedMemory.cpp
  core/String.cpp
  core/Values.cpp
)
