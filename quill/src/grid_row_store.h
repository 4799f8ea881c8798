// The grid's rows: a gap buffer of row records with the row selection beside it.
//
// Rows are addressed by index (0-based). Reads and writes of a row are O(1).
// Inserting or erasing moves the gap to that index first, so a series of edits
// at or near the same place (a block inserted row by row, every other row erased
// from the top) costs time linear in the number of edits, not in the row count.
// The selection is a bitset over the buffer's slots that follows each record the
// gap moves, so "next selected row" is a search over slots, O(log n).
#pragma once

#include <algorithm>
#include <cstddef>
#include <utility>
#include <vector>

#include "grid_row.h"
#include "grid_slot_bitset.h"

namespace quill::grid {

class GridRowStore {
 public:
  static constexpr std::size_t npos = GridSlotBitset::npos;

  std::size_t size() const { return slots_.size() - gapLength(); }

  GridRow& at(std::size_t i) { return slots_[slotOf(i)]; }
  const GridRow& at(std::size_t i) const { return slots_[slotOf(i)]; }

  // Inserts an empty, unselected row so that it gets index i (0 <= i <= size()).
  GridRow& insert(std::size_t i) {
    if (gapLength() == 0) grow();
    moveGapTo(i);
    GridRow& row = slots_[gapBegin_++];
    row = GridRow{};
    return row;
  }

  // Removes row i (i < size()); the rows after it move up one index.
  void erase(std::size_t i) {
    moveGapTo(i);
    selected_.clear(gapEnd_);
    slots_[gapEnd_] = GridRow{};
    ++gapEnd_;
  }

  void clear() {
    slots_.clear();
    slots_.shrink_to_fit();
    gapBegin_ = gapEnd_ = 0;
    selected_.reset(0);
  }

  void setSelected(std::size_t i, bool on) {
    if (on) {
      selected_.set(slotOf(i));
    } else {
      selected_.clear(slotOf(i));
    }
  }
  bool isSelected(std::size_t i) const { return selected_.test(slotOf(i)); }

  // The first selected index >= from, or npos.
  std::size_t nextSelected(std::size_t from) const {
    if (from >= size()) return npos;
    std::size_t slot = selected_.findFrom(slotOf(from));
    if (slot == npos) return npos;
    return slot < gapBegin_ ? slot : slot - gapLength();
  }

 private:
  std::size_t gapLength() const { return gapEnd_ - gapBegin_; }
  std::size_t slotOf(std::size_t i) const { return i < gapBegin_ ? i : i + gapLength(); }

  // Moves one record (and its selection bit) from slot `from` into the gap slot `to`.
  void moveSlot(std::size_t from, std::size_t to) {
    slots_[to] = std::move(slots_[from]);
    slots_[from] = GridRow{};
    if (selected_.test(from)) {
      selected_.clear(from);
      selected_.set(to);
    }
  }

  // Makes the gap start at index i.
  void moveGapTo(std::size_t i) {
    const std::size_t length = gapLength();
    if (length == 0) {
      // A full buffer has nothing to move (and moving a slot onto itself would empty it).
      gapBegin_ = gapEnd_ = i;
      return;
    }
    if (i < gapBegin_) {
      for (std::size_t k = gapBegin_; k > i; --k) moveSlot(k - 1, k - 1 + length);
    } else {
      for (std::size_t k = gapBegin_; k < i; ++k) moveSlot(k + length, k);
    }
    gapBegin_ = i;
    gapEnd_ = i + length;
  }

  // Doubles the buffer, keeping the gap where it is.
  void grow() {
    const std::size_t oldCapacity = slots_.size();
    const std::size_t capacity = std::max<std::size_t>(64, oldCapacity * 2);
    const std::size_t tail = oldCapacity - gapEnd_;
    std::vector<GridRow> slots(capacity);
    GridSlotBitset selected;
    selected.reset(capacity);
    for (std::size_t k = 0; k < gapBegin_; ++k) {
      slots[k] = std::move(slots_[k]);
      if (selected_.test(k)) selected.set(k);
    }
    for (std::size_t k = 0; k < tail; ++k) {
      slots[capacity - tail + k] = std::move(slots_[gapEnd_ + k]);
      if (selected_.test(gapEnd_ + k)) selected.set(capacity - tail + k);
    }
    slots_ = std::move(slots);
    selected_ = std::move(selected);
    gapEnd_ = capacity - tail;
  }

  std::vector<GridRow> slots_;
  std::size_t gapBegin_ = 0;
  std::size_t gapEnd_ = 0;
  GridSlotBitset selected_;
};

}  // namespace quill::grid
