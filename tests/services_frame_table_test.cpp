// The bag's table of item frames, checked against our own copy of it: entry base + f is
// (f·w, 0, f·w + w, h) with the item's own frame size.
#include "TestSupport.h"
#include "services/InventoryBag.h"

namespace {

class ItemFrameTableTest : public HeadlessTest {};

TEST_F(ItemFrameTableTest, EveryEntryIsItsItemsFrame) {
    struct Run {
        int first, item, frames;
    };
    const Run runs[] = {{0, 2, 4},   {4, 7, 2},   {6, 5, 3}, {9, 9, 2},
                        {11, 12, 3}, {14, 13, 2}, {16, 0, 1}};
    const InventoryBag& bag = InventoryBag::Instance();
    int entries = 0;
    for (const Run& run : runs) {
        const int w = bag.items[run.item].w, h = bag.items[run.item].h;
        ASSERT_GT(w, 0) << "item " << run.item;
        for (int f = 0; f < run.frames; ++f, ++entries) {
            const RECT want{f * w, 0, f * w + w, h};
            EXPECT_EQ(bag.ItemFrameTable[run.first + f], want) << "entry " << run.first + f;
        }
    }
    EXPECT_EQ(entries, 17);
}

} // namespace
