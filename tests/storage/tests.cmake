unit_test(
  storage/FileTest.cpp
  storage/BufferableMapTest.cpp
)
unit_test_both(
  storage/ArchiveReadTest.cpp
  storage/ArchiveWriteTest.cpp
)
