// The fuzz targets' seed inputs, made by the file writers (see map_fuzz_entries.cpp).
#include "../../fuzz/map_files/seeds.cpp"
