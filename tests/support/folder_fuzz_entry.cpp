// The whole-folder fuzz entry, built into the tests as well so that the regular and sanitizer test
// runs drive it over generated towns and their variants.
#include "../../fuzz/whole_folder/folder_entry.cpp"
