// Checking a whole library as quill-lib check does: open the file, read every
// structure, compile each against the others and refuse cycles. The goal is a
// library of 10,000 entries in under 2 s.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "quill/library.h"
#include "quill/library_structures.h"

namespace {

// A library of `entries` global structures of eight variables each, every
// structure but the first few containing two earlier ones, and one owning
// object a hundred entries with three local structures.
class BenchLibrary {
 public:
  explicit BenchLibrary(int entries) {
    path_ = std::filesystem::temp_directory_path() / ("quill-check-bench-" + std::to_string(entries) + ".lib");
    std::filesystem::remove(path_);
    auto library = quill::Library::open(path_.string(), true, nullptr);
    std::vector<quill::Library::StoredEntry> globals;
    std::vector<quill::Library::ObjectTypes> objects;
    for (int i = 0; i < entries; ++i) {
      std::string name = "s_" + std::to_string(i);
      std::string source = "global type " + name + " from structure\r\n";
      for (int v = 0; v < 6; ++v) source += "\tstring\t\tfield" + std::to_string(v) + "\r\n";
      if (i >= 3) {
        source += "\ts_" + std::to_string(i / 2) + "\t\tinner\r\n";
        source += "\ts_" + std::to_string(i - 3) + "\t\tprevious\r\n";
      }
      globals.push_back({name, source + "end type", "", ""});
      if (i % 100 == 0) {
        quill::Library::ObjectTypes object{{i + 1, "window", "w_" + std::to_string(i)}, {}};
        for (int l = 0; l < 3; ++l)
          object.types.push_back({"s_local" + std::to_string(l), "type s_local" + std::to_string(l) +
                                                                     " from structure\r\n\t" + name +
                                                                     "\t\tvalue\r\n\tdecimal {2}\tamount\r\nend type"});
        objects.push_back(std::move(object));
      }
    }
    ok_ = library && library->writeAll(globals, objects, nullptr);
  }
  ~BenchLibrary() { std::filesystem::remove(path_); }
  bool ok() const { return ok_; }
  std::string path() const { return path_.string(); }

 private:
  std::filesystem::path path_;
  bool ok_ = false;
};

void BM_CheckLibrary(benchmark::State& state) {
  BenchLibrary library(static_cast<int>(state.range(0)));
  if (!library.ok()) {
    state.SkipWithError("the library could not be written");
    return;
  }
  for (auto _ : state) {
    auto opened = quill::Library::open(library.path(), false, nullptr);
    quill::LibraryStructures structures = quill::LibraryStructures::read(*opened);
    if (!structures.allCompiled()) state.SkipWithError("the bench library does not compile");
    benchmark::DoNotOptimize(structures.all().size());
  }
}

}  // namespace

BENCHMARK(BM_CheckLibrary)->Arg(1'000)->Arg(10'000)->Unit(benchmark::kMillisecond);
