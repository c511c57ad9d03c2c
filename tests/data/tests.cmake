# Checks of the generated data set in build/data (the test program waits for the data step).
unit_test(
  data/DataSetTest.cpp
  data/SoundDataTest.cpp
  data/MeshDataTest.cpp
  data/GeneratorTest.cpp
)
add_dependencies(unit_tests quandrels_data quandrels-datagen)
# The pack the programs read, through the registry (needs a GL context for textures).
gl_test_both(
  data/DataPackTest.cpp
)
if(QUANDRELS_GL_TESTS)
  add_dependencies(gl_tests quandrels_pack_data quandrels-pack)
  add_dependencies(gl_tests_fixed quandrels_pack_data quandrels-pack)
endif()
