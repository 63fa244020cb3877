// The whole generation, step by step, into a City.
#pragma once

#include "city.h"

namespace citygen {

City GenerateCity(const Options& options);

}  // namespace citygen
