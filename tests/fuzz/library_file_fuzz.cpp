// Arbitrary bytes as a library file: opened without create, every part read
// and every stored source compiled. The bytes are written to a file of this
// process in memory-backed storage where there is some, since the library opens
// files by name. Nothing opened as a library may be written, and a file that
// is refused must be left exactly as it was.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "quill/compiler.h"
#include "quill/library.h"

namespace {

std::string ScratchPath() {
  std::error_code ec;
  std::filesystem::path directory = std::filesystem::is_directory("/dev/shm", ec)
                                        ? std::filesystem::path("/dev/shm")
                                        : std::filesystem::temp_directory_path();
  return (directory / ("quill-library-fuzz-" + std::to_string(getpid()) + ".lib")).string();
}

const std::string& Path() {
  static const std::string path = ScratchPath();
  return path;
}

std::string ReadBack(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void CompileStored(const std::string& source, const std::vector<std::string>& known) {
  quill::CompiledStructure out;
  std::vector<quill::CompileError> errors;
  if (quill::CompileStructureSource(source, known, &out, &errors) != errors.empty()) std::abort();
}

void ReadEverything(const quill::Library& library) {
  std::vector<std::string> known;
  for (const quill::LibraryEntryInfo& entry : library.entries()) known.push_back(entry.name);
  for (const std::string& name : known) {
    library.entryInfo(name);
    if (auto source = library.entrySource(name)) CompileStored(*source, known);
  }
  for (const quill::StoredObject& object : library.objects()) {
    library.objectById(object.id);
    library.object(object.name);
    for (const quill::StoredLocalType& type : library.localTypes(object.id)) CompileStored(type.source, known);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  {
    std::ofstream out(Path(), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }
  std::string error;
  std::unique_ptr<quill::Library> library = quill::Library::open(Path(), false, &error);
  if (library) {
    ReadEverything(*library);
    library.reset();
  } else if (error.empty()) {
    std::abort();  // a refusal always says why
  }
  // Reading never writes: the file is as it was given.
  if (ReadBack(Path()) != bytes) std::abort();
  std::remove(Path().c_str());
  return 0;
}
