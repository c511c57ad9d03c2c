unit_test_both(
  resources/ResourcesTest.cpp
)
unit_test(
  resources/DataFolderTest.cpp
)
