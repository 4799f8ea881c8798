// Rows that leave through the row text come back exactly: for random grids of
// rows the editor can save (names and types spelled with every byte the
// compiler accepts), Copy then Paste, and Cut, Clear or Delete Row then Undo,
// give back the same cells byte for byte.
#include <random>
#include <string>
#include <vector>

#include "editor/commands/row_commands.h"
#include "editor/rows/undo.h"
#include "quill/compiler.h"
#include "row_text_fixture.h"

namespace row_text_test {
namespace {

constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
constexpr char kNameTail[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_$#%-";
constexpr char kTypeTail[] = "abcdefghijklmnopqrstuvwxyz0123456789_$#%-";
// A row's cells hold at most this much of a name or type.
constexpr std::size_t kCellMax = 41;

struct Row {
  std::string name;
  std::string type;
  std::string decimals;  // the Dec cell's text
  bool operator==(const Row&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Row& row) {
  return out << '[' << row.name << ' ' << row.type << ' ' << row.decimals << ']';
}

class RowMaker {
 public:
  explicit RowMaker(unsigned seed) : random_(seed) {}

  int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }

  // A letter, then name bytes: the compiler's identifier, at most 40 long.
  std::string identifier(const char* first, std::size_t firstCount, const char* tail, std::size_t tailCount,
                         std::size_t longest) {
    const std::size_t length = 1 + static_cast<std::size_t>(below(static_cast<int>(longest)));
    std::string text(1, first[below(static_cast<int>(firstCount))]);
    while (text.size() < length) text += tail[below(static_cast<int>(tailCount))];
    return text;
  }

  // An array suffix, or none: "[]" or "[N]" with up to nine digits.
  std::string suffix() {
    switch (below(3)) {
      case 0: return "";
      case 1: return "[]";
      default: {
        std::string digits(1, static_cast<char>('1' + below(9)));
        const int more = below(9);
        for (int i = 0; i < more; ++i) digits += static_cast<char>('0' + below(10));
        return "[" + digits + "]";
      }
    }
  }

  Row row() {
    Row made;
    const std::string tail = suffix();
    made.name =
        identifier(kLetters, sizeof kLetters - 1, kNameTail, sizeof kNameTail - 1, kCellMax - tail.size()) + tail;
    if (below(3) == 0) {
      // A structure's name, as a row holds it after its type was read: lower case.
      do {
        made.type = identifier(kLetters, 26, kTypeTail, sizeof kTypeTail - 1, 40);
      } while (made.type == "int" || made.type == "dec" || made.type == "char" || quill::IsLanguageTypeName(made.type));
    } else {
      made.type = languageTypes_[static_cast<std::size_t>(below(static_cast<int>(languageTypes_.size())))];
    }
    if (made.type == "decimal") made.decimals = std::to_string(below(19));
    return made;
  }

 private:
  std::mt19937 random_;
  std::vector<std::string> languageTypes_ = quill::LanguageTypeNames();
};

class RowTextRoundTrip : public EditorRowsTest {
 protected:
  void Fill(const std::vector<Row>& rows) {
    MakeRows({});
    GridRemoveAllRows(grid_);
    for (const Row& row : rows) {
      std::optional<double> decimals;
      if (!row.decimals.empty()) decimals = std::stod(row.decimals);
      quilltest::AppendRow(grid_, row.name.c_str(), row.type.c_str(), decimals);
    }
    quilltest::AppendMarkedEntryRow(ed_);
  }

  std::vector<Row> Read(std::uint32_t first, std::uint32_t last) const {
    std::vector<Row> rows;
    for (std::uint32_t r = first; r <= last; ++r)
      rows.push_back({sheet_->cellText(r, ColName), sheet_->cellText(r, ColType), sheet_->cellText(r, ColDecimals)});
    return rows;
  }

  // A random non-empty selection of rows 1..count; returns them in order.
  std::vector<std::uint32_t> SelectSome(RowMaker& maker, std::uint32_t count) {
    std::vector<std::uint32_t> chosen;
    while (chosen.empty()) {
      for (std::uint32_t r = 1; r <= count; ++r) {
        if (maker.below(2) == 0) chosen.push_back(r);
      }
    }
    for (std::uint32_t r : chosen) GridSelectRow(grid_, r, true);
    return chosen;
  }
};

TEST_F(RowTextRoundTrip, EverySavableRowComesBackExactly) {
  using Command = void (*)(EditorInstance*);
  const struct {
    const char* name;
    Command command;
  } removals[] = {
      {"cut", [](EditorInstance* e) { CutOrCopyCommand(e, true); }},
      {"clear", ClearCommand},
      {"delete row", DeleteRowCommand},
  };
  for (unsigned seed = 1; seed <= 60; ++seed) {
    RowMaker maker(seed);
    std::vector<Row> rows(static_cast<std::size_t>(1 + maker.below(12)));
    for (Row& row : rows) row = maker.row();
    const auto count = static_cast<std::uint32_t>(rows.size());
    SCOPED_TRACE("seed " + std::to_string(seed));

    for (const auto& removal : removals) {
      SCOPED_TRACE(removal.name);
      Fill(rows);
      SelectSome(maker, count);
      removal.command(ed_);
      UndoLastAction(ed_, ed_->editorWindow);
      EXPECT_EQ(Read(1, count), rows);
      EXPECT_EQ(ed_->document.entryRow, static_cast<std::int32_t>(count + 1));
    }

    // Copy, then Paste into a grid that holds nothing else.
    Fill(rows);
    const std::vector<std::uint32_t> chosen = SelectSome(maker, count);
    CutOrCopyCommand(ed_, false);
    GridRemoveAllRows(grid_);
    quilltest::AppendMarkedEntryRow(ed_);
    PasteCommand(ed_);
    std::vector<Row> copied;
    for (std::uint32_t r : chosen) copied.push_back(rows[r - 1]);
    EXPECT_EQ(Read(1, static_cast<std::uint32_t>(chosen.size())), copied);
    EXPECT_EQ(ed_->document.entryRow, static_cast<std::int32_t>(chosen.size() + 1));
  }
}

}  // namespace
}  // namespace row_text_test
