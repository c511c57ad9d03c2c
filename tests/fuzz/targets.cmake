# One line per fuzz target: quandrels_fuzzer(<name> <source>); seeds live in corpus/<name>/.
quandrels_fuzzer(pack pack.cpp)
