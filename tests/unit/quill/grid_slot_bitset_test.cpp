// The selection index over many rows, where searches cross several summary levels.
#include <gtest/gtest.h>

#include "quill/src/grid_row_store.h"
#include "quill/src/grid_slot_bitset.h"

namespace {

using quill::grid::GridRowStore;
using quill::grid::GridSlotBitset;
using quill::grid::RowText;

TEST(GridSlotBitset, FindsMembersFarApartAndForgetsClearedOnes) {
  GridSlotBitset bits;
  bits.reset(300'000);
  EXPECT_EQ(bits.findFrom(0), GridSlotBitset::npos);
  bits.set(5);
  bits.set(4096 * 64 + 1);  // beyond what two levels cover
  bits.set(299'999);
  bits.set(300'000);  // outside: ignored
  EXPECT_EQ(bits.findFrom(0), 5u);
  EXPECT_EQ(bits.findFrom(6), 4096u * 64 + 1);
  EXPECT_EQ(bits.findFrom(4096 * 64 + 2), 299'999u);
  EXPECT_EQ(bits.findFrom(300'000), GridSlotBitset::npos);
  bits.clear(4096 * 64 + 1);
  EXPECT_EQ(bits.findFrom(6), 299'999u);
  bits.clear(299'999);
  bits.clear(5);
  EXPECT_EQ(bits.findFrom(0), GridSlotBitset::npos);
}

TEST(GridRowStore, SelectionSurvivesGrowthAndGapMovesAcrossManyRows) {
  GridRowStore rows;
  for (int i = 0; i < 70'000; ++i) {
    rows.insert(rows.size());
    rows.replaceText(rows.size() - 1, RowText::kName, std::to_string(i));
  }
  rows.setSelected(0, true);
  rows.setSelected(69'999, true);
  // Moving the gap to the top carries every record and bit past it.
  rows.insert(0);
  rows.replaceText(0, RowText::kName, "top");
  EXPECT_EQ(rows.text(1, RowText::kName), "0");
  EXPECT_EQ(rows.text(70'000, RowText::kName), "69999");
  EXPECT_EQ(rows.nextSelected(0), 1u);
  EXPECT_EQ(rows.nextSelected(2), 70'000u);
  rows.erase(1);
  EXPECT_EQ(rows.nextSelected(0), 69'999u);
  EXPECT_FALSE(rows.isSelected(0));
}

}  // namespace
