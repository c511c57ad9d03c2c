# One line per fuzz target: quandrels_fuzzer(<name> <source>); seeds live in corpus/<name>/.
# The typed-record and zlib seeds are written by make-seeds.py.
quandrels_fuzzer(bufferable_map bufferable_map.cpp)
quandrels_fuzzer(decompress decompress.cpp)
quandrels_fuzzer(timer timer.cpp)
quandrels_fuzzer(pack pack.cpp)
quandrels_fuzzer(wav wav.cpp)
quandrels_fuzzer(obj obj.cpp)
