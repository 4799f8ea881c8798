// Baselines: the least work each editor operation has to do, written as plain
// loops over the same rows, so that every editor figure is read as a ratio to
// work measured in the same run.
//   (a) rows formatted as row text into one pre-sized buffer,
//   (b) that text parsed back into name/type/decimals records,
//   (c) the structure's source text written into a fresh SQLite database in one
//       transaction, with the library's connection settings,
//   (d) that text read back;
// the compile of the source text, and the grid store's own deletes and inserts
// of the rows a Clear, Cut or drag and their undo take out and put back.
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "bench_rows.h"
#include "platform/platform.h"
#include "qst/grid_engine.h"
#include "quill/compiler.h"

namespace {

constexpr std::uint32_t kDecimalEvery = 3;

// ---- (a) and (b): row text ------------------------------------------------

char* Append(char* out, std::string_view text) {
  std::memcpy(out, text.data(), text.size());
  return out + text.size();
}

// The rows as "\tTYPE\t\tNAME\r\n" or "\tTYPE {N}\tNAME\r\n" lines; the length written.
std::size_t FormatRows(const std::vector<quillbench::PlainRow>& rows, char* buffer) {
  char* out = buffer;
  for (const quillbench::PlainRow& row : rows) {
    *out++ = '\t';
    out = Append(out, row.type);
    if (row.decimals != 0) {
      out = Append(out, " {");
      out = std::to_chars(out, out + 11, row.decimals).ptr;
      *out++ = '}';
      *out++ = '\t';
    } else {
      out = Append(out, "\t\t");
    }
    out = Append(out, row.name);
    out = Append(out, "\r\n");
  }
  return static_cast<std::size_t>(out - buffer);
}

std::string RowText(const std::vector<quillbench::PlainRow>& rows) {
  std::string text(rows.size() * 64, '\0');
  text.resize(FormatRows(rows, text.data()));
  return text;
}

// Parses row text lines back into records.
std::vector<quillbench::PlainRow> ParseRows(std::string_view text) {
  std::vector<quillbench::PlainRow> rows;
  rows.reserve(static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')));
  std::size_t at = 0;
  auto word = [&] {
    while (at < text.size() && (text[at] == '\t' || text[at] == ' ')) ++at;
    const std::size_t start = at;
    while (at < text.size() && text[at] != '\t' && text[at] != ' ' && text[at] != '\r' && text[at] != '\n') ++at;
    return text.substr(start, at - start);
  };
  while (at < text.size()) {
    quillbench::PlainRow row;
    row.type = word();
    std::string_view next = word();
    if (!next.empty() && next.front() == '{') {
      std::from_chars(next.data() + 1, next.data() + next.size(), row.decimals);
      next = word();
    }
    row.name = next;
    while (at < text.size() && text[at] != '\n') ++at;
    ++at;
    rows.push_back(std::move(row));
  }
  return rows;
}

void BM_BaselineFormatRows(benchmark::State& state) {
  const auto rows = quillbench::NumberedRows(static_cast<std::uint32_t>(state.range(0)), kDecimalEvery);
  for (auto _ : state) {
    std::unique_ptr<char[]> buffer(new char[rows.size() * 64]);
    benchmark::DoNotOptimize(FormatRows(rows, buffer.get()));
  }
}

void BM_BaselineParseRows(benchmark::State& state) {
  const std::string text = RowText(quillbench::NumberedRows(static_cast<std::uint32_t>(state.range(0)), kDecimalEvery));
  for (auto _ : state) benchmark::DoNotOptimize(ParseRows(text));
}

// ---- (c) and (d): the source text in SQLite ----------------------------------

std::string SourceText(std::uint32_t count) {
  return "global type s_bench from structure\r\n" + RowText(quillbench::NumberedRows(count, kDecimalEvery)) +
         "end type";
}

// The library's connection settings.
sqlite3* OpenDatabase(const std::string& path, int flags) {
  sqlite3* db = nullptr;
  if (sqlite3_open_v2(path.c_str(), &db, flags, nullptr) != SQLITE_OK) {
    sqlite3_close(db);
    return nullptr;
  }
  sqlite3_db_config(db, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
  sqlite3_db_config(db, SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
  sqlite3_exec(db, "PRAGMA foreign_keys=ON", nullptr, nullptr, nullptr);
  return db;
}

bool WriteSource(const std::string& path, const std::string& text) {
  std::filesystem::remove(path);
  sqlite3* db = OpenDatabase(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
  if (db == nullptr) return false;
  bool ok = sqlite3_exec(db,
                         "BEGIN IMMEDIATE; CREATE TABLE entries(name TEXT PRIMARY KEY COLLATE NOCASE, source TEXT NOT "
                         "NULL, comment TEXT NOT NULL DEFAULT '', modified TEXT NOT NULL);",
                         nullptr, nullptr, nullptr) == SQLITE_OK;
  sqlite3_stmt* insert = nullptr;
  ok = ok && sqlite3_prepare_v2(db, "INSERT INTO entries(name, source, modified) VALUES('s_bench', ?, 'now')", -1,
                                &insert, nullptr) == SQLITE_OK;
  ok = ok && sqlite3_bind_text64(insert, 1, text.data(), text.size(), SQLITE_STATIC, SQLITE_UTF8) == SQLITE_OK &&
       sqlite3_step(insert) == SQLITE_DONE;
  sqlite3_finalize(insert);
  ok = ok && sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK;
  sqlite3_close(db);
  return ok;
}

std::string ReadSource(const std::string& path) {
  std::string text;
  sqlite3* db = OpenDatabase(path, SQLITE_OPEN_READONLY);
  if (db == nullptr) return text;
  sqlite3_stmt* select = nullptr;
  if (sqlite3_prepare_v2(db, "SELECT source FROM entries WHERE name = 's_bench'", -1, &select, nullptr) == SQLITE_OK &&
      sqlite3_step(select) == SQLITE_ROW) {
    text.assign(reinterpret_cast<const char*>(sqlite3_column_text(select, 0)),
                static_cast<std::size_t>(sqlite3_column_bytes(select, 0)));
  }
  sqlite3_finalize(select);
  sqlite3_close(db);
  return text;
}

std::string ScratchDatabase() {
  return (std::filesystem::temp_directory_path() / ("quill-bench-baseline-" + std::to_string(getpid()) + ".db"))
      .string();
}

void BM_BaselineWriteSource(benchmark::State& state) {
  const std::string text = SourceText(static_cast<std::uint32_t>(state.range(0)));
  const std::string path = ScratchDatabase();
  for (auto _ : state) {
    if (!WriteSource(path, text)) state.SkipWithError("write failed");
  }
  std::filesystem::remove(path);
}

void BM_BaselineReadSource(benchmark::State& state) {
  const std::string text = SourceText(static_cast<std::uint32_t>(state.range(0)));
  const std::string path = ScratchDatabase();
  if (!WriteSource(path, text)) return state.SkipWithError("write failed");
  for (auto _ : state) {
    if (ReadSource(path).size() != text.size()) state.SkipWithError("read failed");
  }
  std::filesystem::remove(path);
}

void BM_BaselineCompile(benchmark::State& state) {
  const std::string text = SourceText(static_cast<std::uint32_t>(state.range(0)));
  for (auto _ : state) {
    quill::CompiledStructure out;
    if (!quill::CompileStructureSource(text, {}, &out, nullptr)) state.SkipWithError("compile failed");
  }
}

// ---- The grid store's deletes and inserts ------------------------------------

LRESULT ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(window, message, wParam, lParam);
}

// A bare grid holding the numbered rows.
class FilledGrid {
 public:
  explicit FilledGrid(std::uint32_t count) : rows_(quillbench::NumberedRows(count, kDecimalEvery)) {
    PlatformReset();
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &ParentProc;
    windowClass.lpszClassName = "BaselineGridParent";
    RegisterClassA(&windowClass);
    parent_ = CreateWindowExA(0, "BaselineGridParent", "", WS_OVERLAPPEDWINDOW, 0, 0, 640, 480, nullptr, nullptr,
                              nullptr, nullptr);
    GridLayout* layout = GridLoadLayout(nullptr, 0, "structure_body", nullptr);
    grid_ = GridCreateControl(kGridControlClass, nullptr, WS_CHILD, 0, 0, 600, 400, parent_, nullptr, nullptr, layout);
    GridSetRedraw(grid_, false);
    for (std::uint32_t i = 0; i < count; ++i) put(GridInsertRow(grid_, 0), i);
  }
  ~FilledGrid() {
    DestroyWindow(parent_);
    PlatformReset();
  }
  FilledGrid(const FilledGrid&) = delete;
  FilledGrid& operator=(const FilledGrid&) = delete;

  HWND grid() const { return grid_; }
  // Writes the record of numbered row `index` (0-based) into grid row `row`.
  void put(std::uint32_t row, std::uint32_t index) {
    const quillbench::PlainRow& plain = rows_[index];
    GridSetItemText(grid_, row, ColName, plain.name.c_str());
    GridSetItemText(grid_, row, ColType, plain.type.c_str());
    if (plain.decimals != 0) {
      const double decimals = plain.decimals;
      GridSetItemNumber(grid_, row, ColDecimals, &decimals);
    }
  }

 private:
  std::vector<quillbench::PlainRow> rows_;
  HWND parent_ = nullptr;
  HWND grid_ = nullptr;
};

// Takes every step-th row out (from the top) and puts the same rows back where they were.
void DeleteAndInsertBack(FilledGrid& filled, std::uint32_t count, std::uint32_t step) {
  HWND grid = filled.grid();
  std::uint32_t taken = 0;
  for (std::uint32_t row = 1; row <= count; row += step) GridDeleteRow(grid, row - taken++);
  for (std::uint32_t row = 1; row <= count; row += step) filled.put(GridInsertRow(grid, row), row - 1);
}

void BM_BaselineGridDeleteInsertAll(benchmark::State& state) {
  const auto count = static_cast<std::uint32_t>(state.range(0));
  FilledGrid filled(count);
  for (auto _ : state) DeleteAndInsertBack(filled, count, 1);
}

void BM_BaselineGridDeleteInsertEveryOther(benchmark::State& state) {
  const auto count = static_cast<std::uint32_t>(state.range(0));
  FilledGrid filled(count);
  for (auto _ : state) DeleteAndInsertBack(filled, count, 2);
}

// A drag of every other row (2, 4, ...) to the top and its undo, as deletes and
// inserts in the order that keeps each pass linear: the rows out from the top,
// in as a block at the top; then the block out and each row back in place.
void BM_BaselineGridMoveEveryOtherToTop(benchmark::State& state) {
  const auto count = static_cast<std::uint32_t>(state.range(0));
  FilledGrid filled(count);
  HWND grid = filled.grid();
  for (auto _ : state) {
    std::uint32_t moved = 0;
    for (std::uint32_t row = 2; row <= count; row += 2) GridDeleteRow(grid, row - moved++);
    for (std::uint32_t k = 0, row = 2; k < moved; ++k, row += 2) filled.put(GridInsertRow(grid, k + 1), row - 1);
    for (std::uint32_t k = 0; k < moved; ++k) GridDeleteRow(grid, 1);
    for (std::uint32_t row = 2; row <= count; row += 2) filled.put(GridInsertRow(grid, row), row - 1);
  }
}

void Sizes(benchmark::internal::Benchmark* bench) {
  bench->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
}

}  // namespace

BENCHMARK(BM_BaselineFormatRows)->Apply(Sizes);
BENCHMARK(BM_BaselineParseRows)->Apply(Sizes);
BENCHMARK(BM_BaselineWriteSource)->Apply(Sizes);
BENCHMARK(BM_BaselineReadSource)->Apply(Sizes);
BENCHMARK(BM_BaselineCompile)->Apply(Sizes);
BENCHMARK(BM_BaselineGridDeleteInsertAll)->Arg(100'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BaselineGridDeleteInsertEveryOther)->Arg(100'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BaselineGridMoveEveryOtherToTop)->Apply(Sizes);
