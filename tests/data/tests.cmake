# Checks of the generated data set in build/data (the test program waits for the data step).
unit_test(
  data/DataSetTest.cpp
  data/SoundDataTest.cpp
  data/MeshDataTest.cpp
  data/GeneratorTest.cpp
)
add_dependencies(unit_tests quandrels_data quandrels-datagen)
