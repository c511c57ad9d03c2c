# The runes teaser: its rules without a window; the display on a real one, in both builds.
unit_test(
  game/runes/RunesRulesTest.cpp
)
gl_test_both(
  game/runes/RunesGame.cpp
  game/runes/RunesDisplayTest.cpp
  game/runes/RunesMaskTest.cpp
)
