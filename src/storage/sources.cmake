# Storage sources shared by both builds, one per line.
quandrels_sources(
  storage/String.cpp
  storage/Buffer.cpp
  storage/Values.cpp
  storage/File.cpp
)
