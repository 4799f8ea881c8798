// A set of slot numbers with a fast "first member at or after i" query.
//
// Bits are kept in 64-bit words, with summary levels above them in which a bit
// stands for a non-empty word of the level below, so set, clear and the
// forward search each touch one word a level: O(log64 n).
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace quill::grid {

class GridSlotBitset {
 public:
  static constexpr std::size_t npos = static_cast<std::size_t>(-1);

  // Empties the set and makes room for slots 0 to size - 1.
  void reset(std::size_t size) {
    size_ = size;
    levels_.clear();
    std::size_t bits = size;
    do {
      std::size_t words = (bits + 63) / 64;
      levels_.emplace_back(words == 0 ? 1 : words, 0);
      bits = words;
    } while (bits > 1);
  }

  std::size_t size() const { return size_; }

  bool test(std::size_t i) const { return i < size_ && (levels_[0][i >> 6] >> (i & 63) & 1) != 0; }

  // Adds slot i (ignored outside the range).
  void set(std::size_t i) {
    if (i >= size_) return;
    for (auto& words : levels_) {
      std::uint64_t& word = words[i >> 6];
      const bool wasEmpty = word == 0;
      word |= std::uint64_t{1} << (i & 63);
      if (!wasEmpty) return;  // the levels above already mark this word
      i >>= 6;
    }
  }

  // Removes slot i (ignored outside the range).
  void clear(std::size_t i) {
    if (i >= size_) return;
    for (auto& words : levels_) {
      std::uint64_t& word = words[i >> 6];
      word &= ~(std::uint64_t{1} << (i & 63));
      if (word != 0) return;  // the word is still non-empty above
      i >>= 6;
    }
  }

  // The smallest member >= i, or npos when there is none.
  std::size_t findFrom(std::size_t i) const {
    if (i >= size_) return npos;
    return findAt(0, i);
  }

 private:
  std::size_t findAt(std::size_t level, std::size_t i) const {
    if (level == levels_.size()) return npos;
    const auto& words = levels_[level];
    const std::size_t w = i >> 6;
    if (w >= words.size()) return npos;
    const std::uint64_t masked = words[w] & (~std::uint64_t{0} << (i & 63));
    if (masked != 0) return (w << 6) + static_cast<std::size_t>(std::countr_zero(masked));
    const std::size_t next = findAt(level + 1, w + 1);
    if (next == npos) return npos;
    return (next << 6) + static_cast<std::size_t>(std::countr_zero(words[next]));
  }

  std::size_t size_ = 0;
  std::vector<std::vector<std::uint64_t>> levels_;
};

}  // namespace quill::grid
