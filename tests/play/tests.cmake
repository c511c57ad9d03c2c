# Play tests and the tests of their harnesses (support/PlayedGame, support/ProgramPlay,
# support/SoundMatch).
unit_test(
  play/SoundMatchTest.cpp
)
gl_test_both(
  play/PlayedGameTest.cpp
  play/OverlayPicture.cpp
)
gl_test(
  play/ProgramPlayTest.cpp
  play/GalleryView.cpp
  play/TeaserScreens.cpp
  play/TourProgramTest.cpp
  play/LavaProgramTest.cpp
)
if(QUANDRELS_GL_TESTS)
  # The games play from the build's data pack; ProgramPlayTest starts both programs.
  add_dependencies(gl_tests quandrels quandrels-fixed quandrels_pack_data quandrels_frame_clock)
  add_dependencies(gl_tests_fixed quandrels_pack_data)
endif()
# The gallery played in the whole game, in both builds.
gl_test_both(
  play/GalleryPlayTest.cpp
)
# Every display at the same moment in both builds, compared after both have taken their
# pictures (tests/CMakeLists.txt runs these three in that order).
gl_test_both(
  play/DisplayPicturesTest.cpp
)
gl_test(
  play/BothBuildsPicturesTest.cpp
)
# In the whole game on the fixed frame clock, in both builds: the runes teaser's stages
# answered right and wrong, and a damaged data pack met during play.
gl_test_both(
  play/RunesStagesPlayTest.cpp
  play/DamagedPackPlayTest.cpp
)
if(QUANDRELS_GL_TESTS)
  # The damaged packs are made by the build's quandrels-pack from the build's data folder.
  add_dependencies(gl_tests quandrels-pack quandrels_pack_data)
  add_dependencies(gl_tests_fixed quandrels-pack quandrels_pack_data)
endif()
