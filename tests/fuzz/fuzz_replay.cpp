// Runs a fuzz target over files and folders of inputs in builds without
// libFuzzer, so that ctest replays the seed corpora under the build's sanitizers.
// With --generated it first runs the target's generated inputs: those too large
// to keep as files, given by a target that defines FuzzReplayGenerated.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);
// Runs each generated input through run; returns how many. Optional.
__attribute__((weak)) int FuzzReplayGenerated(void (*run)(const std::string& input));

namespace {

void Run(const std::string& input) {
  LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(input.data()), input.size());
}

bool RunFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "cannot read %s\n", path.c_str());
    return false;
  }
  Run(std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>{}));
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  int inputs = 0;
  bool ok = true;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--generated") {
      if (FuzzReplayGenerated == nullptr) {
        std::fprintf(stderr, "this target has no generated inputs\n");
        return 1;
      }
      inputs += FuzzReplayGenerated(Run);
      continue;
    }
    const std::filesystem::path path(arg);
    if (std::filesystem::is_directory(path)) {
      for (const auto& entry : std::filesystem::directory_iterator(path)) {
        if (!entry.is_regular_file()) continue;
        ok = RunFile(entry.path()) && ok;
        ++inputs;
      }
    } else {
      ok = RunFile(path) && ok;
      ++inputs;
    }
  }
  std::printf("%d inputs replayed\n", inputs);
  return ok && inputs > 0 ? 0 : 1;
}
