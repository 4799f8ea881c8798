// The grid's rows: a gap buffer of row records with the row selection beside it.
//
// Rows are addressed by index (0-based). Reads and writes of a row are O(1).
// Inserting or erasing moves the gap to that index first, so a series of edits
// at or near the same place (a block inserted row by row, every other row erased
// from the top) costs time linear in the number of edits, not in the row count.
// The selection is a bitset over the buffer's slots that follows each record the
// gap moves, so "next selected row" is a search over slots, O(log n).
//
// The buffer is mapped pages of its own, grown by remapping them: growing never
// copies the rows or needs the old and the new buffer resident at once, slots of
// the gap that were never written cost no memory, and an emptied grid gives all
// of it back at once instead of leaving holes in the heap.
#pragma once

#if defined(_WIN32)
#include "platform/win.h"
#else
#include <sys/mman.h>
#endif

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <new>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <utility>

#include "grid_row.h"
#include "grid_slot_bitset.h"

namespace quill::grid {

// The text columns of a row.
enum class RowText { kName, kType, kHidden };

class GridRowStore {
 public:
  static constexpr std::size_t npos = GridSlotBitset::npos;

  GridRowStore() = default;
  ~GridRowStore() {
    // clear() leaves an empty selection, which may allocate; the rows are
    // given back before that, and a store that goes needs no selection.
    try {
      clear();
    } catch (const std::bad_alloc&) {
    }
  }
  GridRowStore(const GridRowStore&) = delete;
  GridRowStore& operator=(const GridRowStore&) = delete;

  std::size_t size() const { return capacity_ - gapLength(); }

  std::string_view text(std::size_t i, RowText which) const {
    const GridRow& row = slots_[slotOf(i)];
    if (which == RowText::kName) return row.name.view();
    const std::string* shared = which == RowText::kType ? row.type : row.hidden;
    return shared != nullptr ? std::string_view(*shared) : std::string_view();
  }
  // Sets the row's text unless it holds that text already (one look-up of the
  // row); whether the text changed. Inlined into the cell write, which knows the
  // column: an editor writes two or three cells for every row it inserts.
  [[gnu::always_inline]] bool replaceText(std::size_t i, RowText which, std::string_view text) {
    GridRow& row = slots_[slotOf(i)];
    if (which == RowText::kName) {
      if (row.name.view() == text) return false;
      row.name.assign(text);
      return true;
    }
    const std::string*& shared = which == RowText::kType ? row.type : row.hidden;
    if ((shared != nullptr ? std::string_view(*shared) : std::string_view()) == text) return false;
    shared = share(text);
    return true;
  }
  std::optional<double> number(std::size_t i) const { return slots_[slotOf(i)].number(); }
  void setNumber(std::size_t i, std::optional<double> value) { slots_[slotOf(i)].setNumber(value); }

  // Inserts an empty, unselected row so that it gets index i (0 <= i <= size()).
  void insert(std::size_t i) {
    if (gapLength() == 0) grow();
    moveGapTo(i);
    new (&slots_[gapBegin_++]) GridRow{};
  }

  // Removes row i (i < size()); the rows after it move up one index. The gap
  // grows over the row from whichever side it lies on, so that rows erased
  // from the bottom up, as from the top down, move no other row.
  void erase(std::size_t i) {
    std::size_t slot = 0;
    if (i < gapBegin_) {
      moveGapTo(i + 1);
      slot = --gapBegin_;
    } else {
      moveGapTo(i);
      slot = gapEnd_++;
    }
    selected_.clear(slot);
    slots_[slot].name.release();
  }

  void clear() {
    for (std::size_t k = 0; k < capacity_; ++k) {
      if (k < gapBegin_ || k >= gapEnd_) slots_[k].name.release();
    }
    if (slots_ != nullptr) UnmapSlots(slots_, capacity_ * sizeof(GridRow));
    slots_ = nullptr;
    capacity_ = gapBegin_ = gapEnd_ = 0;
    selected_.reset(0);
    lastShared_ = earlierShared_ = nullptr;
    shared_.clear();
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
  // Hashing that finds a std::string by a string_view without making one.
  struct TextHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
  };

  std::size_t gapLength() const { return gapEnd_ - gapBegin_; }
  std::size_t slotOf(std::size_t i) const { return i < gapBegin_ ? i : i + gapLength(); }

  // The one stored copy of a type or hidden text: few distinct ones fill many rows.
  // The copies live until the grid is emptied.
  const std::string* share(std::string_view text) {
    if (text.empty()) return nullptr;
    // Rows written one after another mostly repeat one of the last two texts
    // shared (a run of one type with another now and then).
    if (lastShared_ != nullptr && SameShortText(*lastShared_, text)) return lastShared_;
    if (earlierShared_ != nullptr && SameShortText(*earlierShared_, text)) {
      std::swap(lastShared_, earlierShared_);
      return lastShared_;
    }
    return shareFromTable(text);
  }

  // The look-up in the text table, kept out of line so that the writes that
  // repeat a recent text stay small enough to inline.
  [[gnu::noinline]] const std::string* shareFromTable(std::string_view text) {
    auto it = shared_.find(text);
    if (it == shared_.end()) it = shared_.emplace(text).first;
    earlierShared_ = lastShared_;
    lastShared_ = &*it;
    return lastShared_;
  }

  // Type texts are a few bytes: compared in place, without a call per row.
  static bool SameShortText(const std::string& kept, std::string_view text) {
    return kept.size() == text.size() && SameShortBytes(kept.data(), text.data(), text.size());
  }

  // Moves the selection bit of slot `from` to the gap slot `to` (whose bit is clear).
  void moveBit(std::size_t from, std::size_t to) {
    if (!selected_.test(from)) return;
    selected_.clear(from);
    selected_.set(to);
  }

  // Makes the gap start at index i.
  void moveGapTo(std::size_t i) {
    const std::size_t length = gapLength();
    if (length == 0) {
      gapBegin_ = gapEnd_ = i;
      return;
    }
    if (i < gapBegin_) {
      std::memmove(static_cast<void*>(slots_ + i + length), slots_ + i, (gapBegin_ - i) * sizeof(GridRow));
      for (std::size_t k = gapBegin_; k > i; --k) moveBit(k - 1, k - 1 + length);
    } else if (i > gapBegin_) {
      std::memmove(static_cast<void*>(slots_ + gapBegin_), slots_ + gapEnd_, (i - gapBegin_) * sizeof(GridRow));
      for (std::size_t k = gapBegin_; k < i; ++k) moveBit(k + length, k);
    }
    gapBegin_ = i;
    gapEnd_ = i + length;
  }

  // Doubles the buffer, keeping the gap where it is. Every capacity is a whole
  // number of pages, so the mapping is exactly the buffer.
  void grow() {
    const std::size_t oldCapacity = capacity_;
    const std::size_t capacity = std::max<std::size_t>(kFirstCapacity, oldCapacity * 2);
    const std::size_t tail = oldCapacity - gapEnd_;
    slots_ = static_cast<GridRow*>(RemapSlots(slots_, oldCapacity * sizeof(GridRow), capacity * sizeof(GridRow)));
    std::memmove(static_cast<void*>(slots_ + capacity - tail), slots_ + gapEnd_, tail * sizeof(GridRow));
    GridSlotBitset selected;
    selected.reset(capacity);
    for (std::size_t k = selected_.findFrom(0); k != npos; k = selected_.findFrom(k + 1)) {
      selected.set(k < gapBegin_ ? k : k + capacity - oldCapacity);
    }
    selected_ = std::move(selected);
    capacity_ = capacity;
    gapEnd_ = capacity - tail;
  }

  // The pages of a buffer of oldBytes grown to newBytes, the contents kept; a
  // null buffer is mapped afresh. Windows has no remapping: there the rows are
  // copied into the new pages.
  static void* RemapSlots(void* slots, std::size_t oldBytes, std::size_t newBytes) {
#if defined(_WIN32)
    void* grown = VirtualAlloc(nullptr, newBytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (grown == nullptr) throw std::bad_alloc();
    if (slots != nullptr) {
      std::memcpy(grown, slots, oldBytes);
      UnmapSlots(slots, oldBytes);
    }
    return grown;
#else
    void* grown = slots == nullptr ? mmap(nullptr, newBytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0)
                                   : mremap(slots, oldBytes, newBytes, MREMAP_MAYMOVE);
    if (grown == MAP_FAILED) throw std::bad_alloc();
    return grown;
#endif
  }
  static void UnmapSlots(void* slots, std::size_t bytes) {
#if defined(_WIN32)
    (void)bytes;
    VirtualFree(slots, 0, MEM_RELEASE);
#else
    munmap(slots, bytes);
#endif
  }

  // 512 rows of 40 bytes: five 4 KiB pages.
  static constexpr std::size_t kFirstCapacity = 512;

  GridRow* slots_ = nullptr;
  std::size_t capacity_ = 0;
  std::size_t gapBegin_ = 0;
  std::size_t gapEnd_ = 0;
  GridSlotBitset selected_;
  std::unordered_set<std::string, TextHash, std::equal_to<>> shared_;
  const std::string* lastShared_ = nullptr;
  const std::string* earlierShared_ = nullptr;
};

}  // namespace quill::grid
