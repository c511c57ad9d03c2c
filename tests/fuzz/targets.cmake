# One line per fuzz target: quandrels_fuzzer(<name> <source>); seeds live in corpus/<name>/.
quandrels_fuzzer(timer timer.cpp)
quandrels_fuzzer(obj obj.cpp)
