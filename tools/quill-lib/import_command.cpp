// quill-lib import: the structure files of an exported folder compiled against
// one another and the library, then written in one transaction. Any error and
// nothing is written: the library stays byte for byte as it was.
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <unordered_set>

#include "commands.h"
#include "folder.h"
#include "library_access.h"
#include "printable.h"
#include "manifest.h"
#include "names.h"
#include "object_id.h"
#include "qst/host_library.h"
#include "quill/compiler.h"
#include "tool_error.h"

namespace quill_lib {
namespace {

namespace fs = std::filesystem;

constexpr const char* kSourceExtension = ".srs";

// One structure file of the folder.
struct SourceFile {
  std::string relative;  // "NAME.srs" or "OBJECT/NAME.srs"
  quill::StructureSource source;
};

// Everything found in the folder, and what is wrong with it.
struct Folder {
  Manifest manifest;
  std::vector<SourceFile> files;
  std::vector<std::string> problems;       // "PATH: message"
  std::unordered_set<std::string> labels;  // lowered labels of the files, to find two spellings of one name
};

// The longest comment the save dialog takes; a longer one could not be saved again.
constexpr std::size_t kMaxComment = sizeof(GlobalSaveChoice::comment) - 1;

std::string Relative(const std::string& owner, const std::string& name) {
  return owner.empty() ? name : owner + "/" + name;
}

// Why an entry named like a structure file is none; nullopt for a file.
std::optional<std::string> NotAFile(EntryType type) {
  if (type == EntryType::Link) return "is a link, which is not followed.";
  if (type != EntryType::File) return "is not a regular file.";
  return std::nullopt;
}

// The names of the structure files of one folder; what else is named like
// one goes into the problems.
std::vector<std::string> SourceNames(const FolderHandle& dir, const std::string& owner, Folder* folder) {
  std::vector<std::string> names;
  for (const FolderEntry& entry : dir.list()) {
    const fs::path name(entry.name);
    const std::string relative = Relative(owner, entry.name);
    if (name.extension() != kSourceExtension) {
      if (SameName(name.extension().string(), kSourceExtension))
        folder->problems.push_back(relative + ": a structure file's name ends in \".srs\" in small letters.");
      continue;
    }
    if (std::optional<std::string> problem = NotAFile(entry.type))
      folder->problems.push_back(relative + ": " + *problem);
    else
      names.push_back(name.stem().string());
  }
  return names;
}

// The structure files of one folder, in the order the manifest lists them,
// then the others by name.
void ReadSources(const FolderHandle& dir, const std::string& owner, const std::vector<std::string>& listed,
                 Folder* folder) {
  std::vector<std::string> names = SourceNames(dir, owner, folder);
  std::sort(names.begin(), names.end(),
            [](const std::string& a, const std::string& b) { return Lowered(a) < Lowered(b); });
  std::stable_sort(names.begin(), names.end(), [&](const std::string& a, const std::string& b) {
    auto rank = [&](const std::string& n) { return std::find(listed.begin(), listed.end(), n) - listed.begin(); };
    return rank(a) < rank(b);
  });
  for (const std::string& name : names) {
    std::string relative = Relative(owner, name + kSourceExtension);
    std::string text;
    if (!IsValidName(name))
      folder->problems.push_back(relative + ": \"" + name + "\" is not a valid structure name.");
    else if (std::optional<std::string> problem = dir.readFile(name + kSourceExtension, kMaxFileBytes, &text))
      folder->problems.push_back(relative + ": " + *problem);
    else if (!folder->labels.insert(Lowered(owner + "/" + name)).second)
      folder->problems.push_back(relative + ": another file names the same structure in other letter case.");
    else
      folder->files.push_back({relative, {owner, name, std::move(text)}});
  }
}

Manifest ReadManifest(const FolderHandle& root, Folder* folder) {
  if (!root.typeOf(kManifestName)) return {};
  std::string text;
  if (std::optional<std::string> problem = root.readFile(kManifestName, kMaxFileBytes, &text))
    throw ToolError{kExitFile, root.pathOf(kManifestName) + " " + *problem};
  Manifest manifest = ParseManifest(text, root.pathOf(kManifestName));
  for (const Manifest::Global& global : manifest.globals)
    if (global.comment.size() > kMaxComment)
      folder->problems.push_back(std::string(kManifestName) + ": the comment of " + global.name + " is " +
                                 std::to_string(global.comment.size()) + " bytes long; a comment holds at most " +
                                 std::to_string(kMaxComment) + ".");
  return manifest;
}

// Whether the link name leads to a folder; such a link where an object's
// folder may be is reported rather than silently passed over.
bool IsLinkToFolder(const FolderHandle& dir, const std::string& name) {
  struct stat info;
  return fstatat(dir.fd(), name.c_str(), &info, 0) == 0 && S_ISDIR(info.st_mode);
}

// Everything the folder holds; throws ToolError when it cannot be listed or
// read, before anything is written.
Folder ReadFolder(const std::string& directoryName) {
  const FolderHandle root = FolderHandle::Open(directoryName, true);
  Folder folder;
  folder.manifest = ReadManifest(root, &folder);
  std::vector<std::string> listed;
  for (const Manifest::Global& global : folder.manifest.globals) listed.push_back(global.name);
  ReadSources(root, "", listed, &folder);
  for (const FolderEntry& item : root.list()) {
    const std::string& owner = item.name;
    if (owner.front() == '.') continue;
    if (item.type == EntryType::Link && IsLinkToFolder(root, owner)) {
      folder.problems.push_back(owner + "/: is a link, which is not followed.");
      continue;
    }
    if (item.type != EntryType::Folder) continue;
    auto object = std::find_if(folder.manifest.objects.begin(), folder.manifest.objects.end(),
                               [&](const Manifest::Object& o) { return o.name == owner; });
    if (object == folder.manifest.objects.end()) {
      folder.problems.push_back(owner + "/: the manifest names no owning object " + owner + ".");
      continue;
    }
    std::optional<FolderHandle> dir = root.child(owner);
    if (dir) ReadSources(*dir, owner, object->locals, &folder);
  }
  return folder;
}

// The library's structures that the folder does not replace, so that the
// folder's structures may use them.
void AddKeptStructures(const quill::Library* library, const Folder& folder,
                       std::vector<quill::StructureSource>* sources) {
  if (!library) return;
  std::unordered_set<std::string> labels;  // lowered "NAME" and "OWNER/NAME" of the folder's files
  for (const SourceFile& f : folder.files)
    labels.insert(Lowered(f.source.owner.empty() ? f.source.name : f.source.owner + "/" + f.source.name));
  auto replaced = [&](const std::string& owner, const std::string& name) {
    return labels.count(Lowered(owner.empty() ? name : owner + "/" + name)) != 0;
  };
  for (quill::Library::StoredEntry& entry : StoredEntries(*library))
    if (!replaced("", entry.name)) sources->push_back({"", entry.name, std::move(entry.source)});
  for (const quill::StoredObject& object : Objects(*library))
    for (quill::StoredLocalType& type : LocalTypes(*library, object.id))
      if (!replaced(object.name, type.name)) sources->push_back({object.name, type.name, std::move(type.source)});
}

std::vector<quill::Library::ObjectTypes> ObjectWrites(const Folder& folder, const quill::Library* library) {
  std::vector<quill::StoredObject> existing = library ? Objects(*library) : std::vector<quill::StoredObject>{};
  std::vector<quill::Library::ObjectTypes> writes;
  for (const Manifest::Object& item : folder.manifest.objects) {
    auto known = std::find_if(existing.begin(), existing.end(),
                              [&](const quill::StoredObject& o) { return SameName(o.name, item.name); });
    quill::StoredObject object{known != existing.end() ? known->id : FreeObjectId(existing, item.id), item.kind, item.name};
    if (known == existing.end()) existing.push_back(object);
    quill::Library::ObjectTypes write{object, {}};
    for (const SourceFile& file : folder.files)
      if (file.source.owner == item.name) write.types.push_back({file.source.name, file.source.source});
    writes.push_back(std::move(write));
  }
  return writes;
}

std::string CommentOf(const Manifest& manifest, const std::string& name) {
  for (const Manifest::Global& global : manifest.globals)
    if (global.name == name) return global.comment;
  return "";
}

// Writes the compiled folder; a library this import creates exists only once
// the write succeeded.
void WriteLibrary(const std::string& path, const Folder& folder, const quill::LibraryStructures& compiled,
                  std::size_t imported, std::unique_ptr<quill::Library> library) {
  bool created = !library;
  std::string error;
  if (created) library = OpenLibraryForWriting(path);
  std::vector<quill::Library::StoredEntry> entries;
  for (std::size_t i : compiled.dependencyOrder()) {
    if (i >= imported || !folder.files[i].source.owner.empty()) continue;
    const quill::StructureSource& s = folder.files[i].source;
    entries.push_back({s.name, s.source, CommentOf(folder.manifest, s.name), ""});
  }
  std::vector<quill::Library::ObjectTypes> objects = ObjectWrites(folder, created ? nullptr : library.get());
  // A library this import began takes its name only once the write committed.
  if (!library->writeAll(entries, objects, &error)) throw ToolError{kExitFile, error};
}

}  // namespace

int RunImport(const std::string& directoryName, const std::string& libraryPath) {
  Folder folder = ReadFolder(directoryName);
  std::unique_ptr<quill::Library> library;
  if (fs::exists(libraryPath)) library = OpenLibraryForWriting(libraryPath);
  std::vector<quill::StructureSource> sources;
  for (const SourceFile& file : folder.files) sources.push_back(file.source);
  AddKeptStructures(library.get(), folder, &sources);
  quill::LibraryStructures compiled =
      quill::LibraryStructures::compile(std::move(sources), TerminalProgress("compiling"));
  const std::size_t imported = folder.files.size();
  const std::string prefix = (fs::path(directoryName) / "").string();
  for (const std::string& problem : folder.problems)
    std::fprintf(stderr, "%s\n", Printable(prefix + problem).c_str());
  for (std::size_t i = 0; i < imported; ++i)
    for (const quill::CompileError& error : compiled.all()[i].errors)
      std::fprintf(stderr, "%s:%d: %s\n", Printable(prefix + folder.files[i].relative).c_str(), error.line,
                   Printable(DescribeError(error)).c_str());
  bool failed = !folder.problems.empty() ||
                std::any_of(compiled.all().begin(), compiled.all().begin() + static_cast<std::ptrdiff_t>(imported),
                            [](const quill::LibraryStructure& s) { return !s.errors.empty(); });
  if (failed) throw ToolError{kExitFound, "Nothing was written to " + libraryPath + "."};
  WriteLibrary(libraryPath, folder, compiled, imported, std::move(library));
  std::printf("Imported %zu structures into %s.\n", imported, libraryPath.c_str());
  return kExitOk;
}

}  // namespace quill_lib
