// Saving and opening structures of 1k, 10k and 100k variables through the
// runtime and compiler calls, against a real library file.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "quill/compiler.h"
#include "quill/runtime.h"
#include "quill/src/pool.h"

namespace {

std::string StructureText(int variables) {
  std::string text = "global type s_big from structure\r\n";
  for (int i = 0; i < variables; ++i) {
    text += (i % 3 == 0) ? "\tdecimal {2}\tamount_" : (i % 3 == 1 ? "\tstring\t\tname_" : "\tlong\t\tcount_");
    text += std::to_string(i);
    if (i % 3 == 2) text += "[10]";
    text += "\r\n";
  }
  return text + "end type";
}

class ScratchLibrary {
 public:
  ScratchLibrary() {
    char pattern[] = "/tmp/quill-bench-XXXXXX";
    dir_ = mkdtemp(pattern);
    path_ = dir_ + "/bench.lib";
  }
  ~ScratchLibrary() {
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
  }
  const std::string& path() const { return path_; }

 private:
  std::string dir_, path_;
};

// Stores the text as the global save does: group, type, stored source, compile, write.
bool Save(HostRuntime* rt, HostPool* pool, HostCompiler* compiler, const std::string& library,
          const std::string& text) {
  std::uint16_t group = RuntimeCreateEntryGroup(rt, library.c_str(), "s_big", kRuntimeKindStructure);
  std::int32_t type = RuntimeDeclareType(rt, group, "s_big", kRuntimeKindStructure, kDeclareTypeFlags);
  auto* block = static_cast<char*>(PoolAlloc(pool, static_cast<std::uint32_t>(text.size() + 1), 0));
  std::memcpy(block, text.c_str(), text.size() + 1);
  RuntimeStoreTypeSource(rt, type, block, static_cast<std::uint32_t>(text.size() + 1));
  bool ok = CompilerCompileGroup(compiler, group) == 1 && RuntimeWriteGroup(rt, group, library.c_str(), "") == 1;
  CompilerEnd(compiler);
  return ok;
}

void BM_SaveStructure(benchmark::State& state) {
  ScratchLibrary library;
  std::string text = StructureText(static_cast<int>(state.range(0)));
  HostPool pool;
  quill::Runtime runtime;
  quill::Compiler compiler(runtime);
  HostRuntime* rt = runtime.openHandle(&pool);
  for (auto _ : state) {
    if (!Save(rt, &pool, compiler.handle(), library.path(), text)) state.SkipWithError("save failed");
  }
  state.SetComplexityN(state.range(0));
  RuntimeRelease(rt);
}

// A fresh runtime opens the entry and reads its members, as the editor's load does.
void BM_OpenStructure(benchmark::State& state) {
  ScratchLibrary library;
  {
    HostPool pool;
    quill::Runtime runtime;
    quill::Compiler compiler(runtime);
    HostRuntime* rt = runtime.openHandle(&pool);
    Save(rt, &pool, compiler.handle(), library.path(), StructureText(static_cast<int>(state.range(0))));
    RuntimeRelease(rt);
  }
  for (auto _ : state) {
    HostPool pool;
    quill::Runtime runtime;
    HostRuntime* rt = runtime.openHandle(&pool);
    std::uint16_t group = RuntimeOpenEntryGroup(rt, library.path().c_str(), "s_big", kRuntimeKindStructure);
    std::uint32_t count = 0;
    MemberRecord* members = RuntimeTypeMembers(rt, RuntimeFindType(rt, group, "s_big"), &count);
    if (!members || count != state.range(0)) state.SkipWithError("open failed");
    for (std::uint32_t i = 0; i < count; ++i) {
      if (members[i].flags & kMemberHasSuffix) RuntimeFree(rt, RuntimeMemberSuffix(rt, &members[i]));
    }
    PoolFree(&pool, members);
    RuntimeRelease(rt);
  }
  state.SetComplexityN(state.range(0));
}

}  // namespace

BENCHMARK(BM_SaveStructure)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity();
BENCHMARK(BM_OpenStructure)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity();
