unit_test_both(
  resources/ResourcesTest.cpp
)
