unit_test(
  audio/MixerTest.cpp
)
