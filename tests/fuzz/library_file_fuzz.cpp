// Arbitrary bytes as a library file, opened read-only from memory: every part
// read and every stored source compiled, and a write tried, which must be
// refused with a reason. A library that is refused must say why.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "quill/compiler.h"
#include "quill/library.h"

namespace {

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
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  std::string error;
  std::unique_ptr<quill::Library> library = quill::Library::openImage(bytes, "fuzz.lib", &error);
  if (!library) {
    if (error.empty()) std::abort();  // a refusal always says why
    return 0;
  }
  ReadEverything(*library);
  // Bytes opened read-only are never written: the write fails and says why.
  error.clear();
  if (library->writeEntry("s_fuzz", "global type s_fuzz from structure\r\nend type", "", &error) || error.empty())
    std::abort();
  return 0;
}
