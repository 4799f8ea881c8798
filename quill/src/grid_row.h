// One row of the grid control as it is stored.
//
// A row is 40 bytes, so that a million-row grid costs 40 MB: the name lies in
// place when short (as nearly every variable name is), type and hidden texts
// repeat across rows and are shared through the store's text table, and the
// number is a plain double with one NaN pattern meaning "no number".
// Rows are trivially copyable: the store moves them with memmove and grows its
// buffer with realloc, and owns the heap part of a long name itself.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>

namespace quill::grid {

// Longest cell text the grid keeps: its length must fit the 16-bit signed count
// the item-text-length call returns.
constexpr std::size_t kCellTextMax = 32767;

// Text of up to 15 bytes held in place, longer text on the heap. All-zero bytes
// are the empty text. release() must run before the bytes are dropped.
class CellText {
 public:
  static constexpr std::size_t kInPlace = 15;

  std::string_view view() const {
    if (bytes_[kTag] != kOnHeap) return {reinterpret_cast<const char*>(bytes_), bytes_[kTag]};
    const char* heap = nullptr;
    std::uint32_t length = 0;
    std::memcpy(&heap, bytes_, sizeof heap);
    std::memcpy(&length, bytes_ + sizeof heap, sizeof length);
    return {heap, length};
  }

  void assign(std::string_view text) {
    char* heap = nullptr;
    if (text.size() > kInPlace) {
      heap = new char[text.size()];  // before the old text goes: a failure keeps it
      std::memcpy(heap, text.data(), text.size());
    }
    release();
    if (heap == nullptr) {
      if (!text.empty()) std::memcpy(bytes_, text.data(), text.size());  // an empty view may have no data
      bytes_[kTag] = static_cast<unsigned char>(text.size());
      return;
    }
    const auto length = static_cast<std::uint32_t>(text.size());
    std::memcpy(bytes_, &heap, sizeof heap);
    std::memcpy(bytes_ + sizeof heap, &length, sizeof length);
    bytes_[kTag] = kOnHeap;
  }

  void release() {
    if (bytes_[kTag] == kOnHeap) delete[] view().data();
    std::memset(bytes_, 0, sizeof bytes_);
  }

 private:
  static constexpr std::size_t kTag = 15;         // in-place length, or kOnHeap
  static constexpr unsigned char kOnHeap = 0xFF;  // pointer and 32-bit length in front
  alignas(8) unsigned char bytes_[16] = {};
};

struct GridRow {
  CellText name;                         // column 1, var_name
  const std::string* type = nullptr;     // column 2, var_type: shared text, null when empty
  const std::string* hidden = nullptr;   // column 4, not shown (the entry-row marker); shared, null when empty
  std::uint64_t numberBits = kNoNumber;  // column 3, var_dec

  // A NaN no arithmetic produces: the cell holds no number.
  static constexpr std::uint64_t kNoNumber = 0x7FF4'0000'0000'0001ull;

  std::optional<double> number() const {
    if (numberBits == kNoNumber) return std::nullopt;
    double value;
    std::memcpy(&value, &numberBits, sizeof value);
    return value;
  }
  void setNumber(std::optional<double> value) {
    if (!value) {
      numberBits = kNoNumber;
      return;
    }
    std::memcpy(&numberBits, &*value, sizeof numberBits);
    if (numberBits == kNoNumber) numberBits = 0x7FF8'0000'0000'0000ull;  // that NaN is kept as a plain NaN
  }
};
static_assert(std::is_trivially_copyable_v<GridRow>);
static_assert(sizeof(GridRow) == 24 + 2 * sizeof(void*));  // 40 bytes where pointers are 64 bits

}  // namespace quill::grid
