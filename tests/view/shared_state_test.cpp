#include <gtest/gtest.h>

#include <vector>

#include "view/shared_state.h"

namespace {

// The flagged buildings: a full list refuses the next one and keeps what it holds.
TEST(SelectionList, RefusesTheEntryPastItsSizeAndKeepsTheRest) {
    std::vector<int32_t> storage(kSelListSize + 8, -7);
    int32_t* saved = g_selList;
    const int32_t savedCount = g_selCount;
    g_selList = storage.data();
    g_selCount = 0;
    for (int32_t b = 0; b < kSelListSize; ++b) ASSERT_TRUE(AddToSelection(1000 + b));
    EXPECT_FALSE(AddToSelection(42));
    EXPECT_EQ(g_selCount, kSelListSize);
    EXPECT_EQ(storage[kSelListSize], -7);  // nothing written past the list
    EXPECT_TRUE(IsSelected(1000 + kSelListSize - 1));
    EXPECT_FALSE(IsSelected(42));
    g_selList = nullptr;
    EXPECT_FALSE(AddToSelection(1));
    EXPECT_FALSE(IsSelected(1000));
    g_selList = saved;
    g_selCount = savedCount;
}

}  // namespace
