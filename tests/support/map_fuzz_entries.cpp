// The fuzz targets' entry points, built into the tests as well so that the regular and sanitizer
// test runs drive them over the seed and malformed corpora.
#include "../../fuzz/map_files/entries.cpp"
