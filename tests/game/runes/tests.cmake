# The runes teaser: its rules without a window; the display on a real one, in both builds.
unit_test(
  game/runes/RunesRulesTest.cpp
)
gl_test_both(
  game/runes/RunesGame.cpp
  game/runes/RunesDisplayTest.cpp
  game/runes/RunesMaskTest.cpp
  game/runes/RunesPicturesTest.cpp
  game/runes/RunesPlayTest.cpp
)
if(QUANDRELS_GL_TESTS)
  # The pictures test reads the game's own pack.
  add_dependencies(gl_tests_fixed quandrels_pack_data)
endif()
