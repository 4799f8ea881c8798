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

// Copies and compares of the short texts that fill most cells (a row operation
// reads or writes two or three a row): up to sixteen bytes go as two moves of a
// few bytes that overlap, which the compiler inlines, rather than a library
// call each. Only the n bytes of each text are read; n may be 0 with no data.
template <typename Block>
void CopyOverlapping(unsigned char* out, const unsigned char* in, std::size_t n) {
  Block head;
  Block tail;
  std::memcpy(&head, in, sizeof head);
  std::memcpy(&tail, in + n - sizeof tail, sizeof tail);
  std::memcpy(out, &head, sizeof head);
  std::memcpy(out + n - sizeof tail, &tail, sizeof tail);
}

template <typename Block>
bool SameOverlapping(const unsigned char* x, const unsigned char* y, std::size_t n) {
  Block x0, x1, y0, y1;
  std::memcpy(&x0, x, sizeof x0);
  std::memcpy(&y0, y, sizeof y0);
  std::memcpy(&x1, x + n - sizeof x1, sizeof x1);
  std::memcpy(&y1, y + n - sizeof y1, sizeof y1);
  return x0 == y0 && x1 == y1;
}

inline void CopyShortBytes(void* to, const void* from, std::size_t n) {
  auto* out = static_cast<unsigned char*>(to);
  const auto* in = static_cast<const unsigned char*>(from);
  if (n >= 8 && n <= 16) {
    CopyOverlapping<std::uint64_t>(out, in, n);
  } else if (n >= 4 && n < 8) {
    CopyOverlapping<std::uint32_t>(out, in, n);
  } else if (n != 0) {
    std::memcpy(out, in, n);
  }
}

inline bool SameShortBytes(const void* a, const void* b, std::size_t n) {
  const auto* x = static_cast<const unsigned char*>(a);
  const auto* y = static_cast<const unsigned char*>(b);
  if (n >= 8 && n <= 16) return SameOverlapping<std::uint64_t>(x, y, n);
  if (n >= 4 && n < 8) return SameOverlapping<std::uint32_t>(x, y, n);
  return n == 0 || std::memcmp(x, y, n) == 0;
}

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
      CopyShortBytes(bytes_, text.data(), text.size());  // an empty view may have no data: nothing is read then
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
