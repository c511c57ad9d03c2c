unit_test(
  storage/StringTest.cpp
  storage/ListMapTest.cpp
  storage/BufferTest.cpp
)
unit_test_both(
  storage/LogTest.cpp
)
