# storage sources shared by both builds, one per line.
quandrels_sources(
  storage/File.cpp
  storage/BufferableMap.cpp
  storage/BufferableList.cpp
  storage/HeapArray.cpp
  storage/PackEntry.cpp
  storage/PackWalk.cpp
  storage/PackTransform.cpp
  storage/ContentCipher.cpp
  storage/Archive.cpp
  storage/ArchiveWriter.cpp
  storage/ArchivePacking.cpp
  storage/ArchiveExtract.cpp
)
