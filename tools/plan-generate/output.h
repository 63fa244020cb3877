// Writing the city as the eleven map files, through the data writers, in the orders the
// drawing relies on.
#pragma once

#include <functional>
#include <string>

#include "city.h"

namespace citygen {

// Writes every file of `city` into the existing folder `folder`. On failure `error` says which
// file could not be written; the folder may then hold some of the files.
bool WriteCityFiles(const City& city, const std::string& folder, std::string& error);

// Writes the city into a new folder `target`: first into a hidden folder beside it, which is
// renamed to `target` only when every file is complete, so that a failed run never leaves a
// city that looks whole. Refuses a target that exists already. `extra`, when given, writes
// further files into the hidden folder (its argument) before the rename; on failure it sets
// the error text (its second argument) and returns false.
using ExtraFileWriter = std::function<bool(const std::string&, std::string&)>;
bool WriteCityFolder(const City& city, const std::string& target, std::string& error,
                     const ExtraFileWriter& extra = nullptr);

}  // namespace citygen
