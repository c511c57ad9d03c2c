unit_test_both(
  game/QuandrelsTest.cpp
)
gl_test(
  game/ProgramTest.cpp
)
gl_test_both(
  game/ExitDisplayTest.cpp
  game/SwitchesAndTogglesTest.cpp
)
if(QUANDRELS_GL_TESTS)
  # ProgramTest starts the programs themselves.
  add_dependencies(gl_tests quandrels quandrels-fixed quandrels-pack quandrels_pack_data)
endif()
