unit_test(
  app/ComponentTest.cpp
)
