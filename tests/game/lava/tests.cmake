# The lava-stones teaser: rules, stones and novas without a window; the display, its scenery
# and effects on a real GL window in both builds.
unit_test(
  game/lava/LavaRulesTest.cpp
  game/lava/LavaSolverTest.cpp
  game/lava/StoneTest.cpp
  game/lava/NovaTest.cpp
)
gl_test_both(
  game/lava/LavaStonesTest.cpp
)
if(QUANDRELS_GL_TESTS)
  # The display tests load the game's own data pack from the build folder.
  add_dependencies(gl_tests quandrels_pack_data)
  add_dependencies(gl_tests_fixed quandrels_pack_data)
endif()
