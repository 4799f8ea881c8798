// The grid's row store against a plain vector of rows: random inserts, erases,
// cell writes and selections, across buffer growth, must read back the same.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "quill/src/grid_row_store.h"

namespace {

using quill::grid::GridRow;
using quill::grid::GridRowStore;
using quill::grid::RowText;

struct ModelRow {
  std::string name, type, hidden;
  std::optional<double> number;
  bool selected = false;
};

void ExpectSame(const GridRowStore& store, const std::vector<ModelRow>& model) {
  ASSERT_EQ(store.size(), model.size());
  std::size_t nextSelected = GridRowStore::npos;
  for (std::size_t i = model.size(); i-- > 0;) {
    SCOPED_TRACE(i);
    ASSERT_EQ(store.text(i, RowText::kName), model[i].name);
    ASSERT_EQ(store.text(i, RowText::kType), model[i].type);
    ASSERT_EQ(store.text(i, RowText::kHidden), model[i].hidden);
    ASSERT_EQ(store.number(i).has_value(), model[i].number.has_value());
    if (model[i].number) {
      ASSERT_EQ(*store.number(i), *model[i].number);
    }
    ASSERT_EQ(store.isSelected(i), model[i].selected);
    if (model[i].selected) nextSelected = i;
    ASSERT_EQ(store.nextSelected(i), nextSelected);
  }
}

// Short names stay in place, long ones go to the heap; types repeat.
std::string SomeName(std::mt19937& random) {
  const std::size_t length = std::uniform_int_distribution<std::size_t>(0, 40)(random);
  std::string name(length, 'a');
  for (char& c : name) c = static_cast<char>('a' + random() % 26);
  return name;
}

TEST(GridRowStore, ReadsBackWhatAPlainVectorHoldsThroughRandomEdits) {
  const char* types[] = {"", "integer", "decimal", "string", "unsignedinteger", "dropdownlistbox_extra"};
  std::mt19937 random(7);
  GridRowStore store;
  std::vector<ModelRow> model;
  for (int step = 0; step < 8'000; ++step) {
    const unsigned action = random() % 10;
    if (action < 4 || model.empty()) {
      // Inserts cluster near one place, as a pasted block does, or land anywhere.
      const std::size_t at = action == 0 ? random() % (model.size() + 1) : std::min(model.size(), model.size() / 2);
      store.insert(at);
      model.insert(model.begin() + static_cast<std::ptrdiff_t>(at), ModelRow{});
      const std::string name = SomeName(random);
      store.replaceText(at, RowText::kName, name);
      model[at].name = name;
      const std::string type = types[random() % std::size(types)];
      store.replaceText(at, RowText::kType, type);
      model[at].type = type;
    } else if (action < 6) {
      const std::size_t at = random() % model.size();
      store.erase(at);
      model.erase(model.begin() + static_cast<std::ptrdiff_t>(at));
    } else if (action < 8) {
      const std::size_t at = random() % model.size();
      const bool on = random() % 2 == 0;
      store.setSelected(at, on);
      model[at].selected = on;
    } else {
      const std::size_t at = random() % model.size();
      const std::optional<double> number =
          random() % 3 == 0 ? std::nullopt : std::optional<double>(static_cast<double>(random() % 19));
      store.setNumber(at, number);
      model[at].number = number;
      const std::string name = SomeName(random);
      store.replaceText(at, RowText::kName, name);  // replaces a heap name by an in-place one and back
      model[at].name = name;
      store.replaceText(at, RowText::kHidden, random() % 4 == 0 ? "marker" : "");
      model[at].hidden = store.text(at, RowText::kHidden);
    }
    if (step % 1'000 == 0) ExpectSame(store, model);
  }
  ExpectSame(store, model);
  store.clear();
  EXPECT_EQ(store.size(), 0u);
  store.insert(0);
  EXPECT_EQ(store.text(0, RowText::kName), "");
  EXPECT_FALSE(store.number(0).has_value());
}

TEST(GridRowStore, KeepsEveryNumberTheCellIsGiven) {
  GridRowStore store;
  store.insert(0);
  EXPECT_FALSE(store.number(0).has_value());  // a new row has no number
  for (double value : {0.0, -0.0, 2.0, -18.5, 1e300, std::numeric_limits<double>::infinity(),
                       std::numeric_limits<double>::denorm_min()}) {
    store.setNumber(0, value);
    ASSERT_TRUE(store.number(0).has_value()) << value;
    EXPECT_EQ(*store.number(0), value);
    EXPECT_EQ(std::signbit(*store.number(0)), std::signbit(value));
  }
  // Even the NaN pattern that marks "no number" is a number when given as one.
  double marker;
  const std::uint64_t bits = GridRow::kNoNumber;
  std::memcpy(&marker, &bits, sizeof marker);
  store.setNumber(0, marker);
  ASSERT_TRUE(store.number(0).has_value());
  EXPECT_TRUE(std::isnan(*store.number(0)));
  store.setNumber(0, std::nullopt);
  EXPECT_FALSE(store.number(0).has_value());
}

TEST(GridRowStore, HoldsCellTextOfEveryLengthUpToTheLongest) {
  GridRowStore store;
  for (std::size_t length : {std::size_t{0}, std::size_t{1}, std::size_t{15}, std::size_t{16}, std::size_t{32767}}) {
    store.insert(0);
    const std::string text(length, 'x');
    store.replaceText(0, RowText::kName, text);
    store.replaceText(0, RowText::kType, text);
    EXPECT_EQ(store.text(0, RowText::kName), text) << length;
    EXPECT_EQ(store.text(0, RowText::kType), text) << length;
  }
  EXPECT_EQ(store.size(), 5u);
}

}  // namespace
