unit_test(
  audio/MixerTest.cpp
)
unit_test_both(
  audio/WavTest.cpp
  audio/PlayerTest.cpp
)
