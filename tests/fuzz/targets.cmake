# One line per fuzz target: quandrels_fuzzer(<name> <source>); seeds live in corpus/<name>/
# (written by make-seeds.py).
quandrels_fuzzer(bufferable_map bufferable_map.cpp)
quandrels_fuzzer(decompress decompress.cpp)
