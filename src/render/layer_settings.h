// The three settings of the "Layers" dialog. Each is kLayerNo, kLayerAll or kLayerSelect.
#pragma once

#include <cstdint>

constexpr int32_t kLayerNo = 0;
constexpr int32_t kLayerAll = 1;
constexpr int32_t kLayerSelect = 2;

extern int32_t g_layerStreetNames;  // initially "select"
extern int32_t g_layerBuildings;    // initially "all"
extern int32_t g_layerAddresses;    // initially "select"
