unit_test(
  app/ComponentTest.cpp
  app/InterpolationTest.cpp
)
unit_test_both(
  app/TimerTest.cpp
)
