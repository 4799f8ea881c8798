// The host's type system behind the HostRuntime calls: groups of types, their
// members and stored source, read from and written to library files.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "editor/host/host_runtime.h"
#include "quill/front_end.h"

namespace quill {

class Compiler;

class Runtime {
 public:
  Runtime();
  ~Runtime();
  Runtime(const Runtime&) = delete;
  Runtime& operator=(const Runtime&) = delete;

  // A handle for one editor: its member arrays come from editorPool. RuntimeRelease ends it.
  HostRuntime* openHandle(HostPool* editorPool);
  int liveHandles() const;

  // The library objects are added to and dialogs start in.
  void setCurrentLibrary(const std::string& path);
  const std::string& currentLibrary() const;
  // Adds (or finds) an owning object in the current library; returns its id.
  std::int32_t addObject(const std::string& kind, const std::string& name, std::optional<std::int32_t> id);
  std::optional<std::int32_t> findObject(const std::string& name) const;
  std::string objectName(std::int32_t id) const;
  std::vector<std::string> localTypeNames(std::int32_t objectId) const;
  // The owner's group (loaded from its library when needed); kNoGroup when unknown.
  std::uint16_t objectGroup(std::int32_t objectId);
  // Writes an owner's group (its local structures) to its library.
  bool writeObjectGroup(std::int32_t objectId, std::string* error);
  // Global structure entries of a library, for the open dialog.
  std::vector<LibraryEntryInfo> listEntries(const std::string& library, std::string* error) const;
  std::optional<std::string> storedEntrySource(const std::string& library, const std::string& entry) const;

  // Source of a type as stored, for the compiler.
  std::optional<std::string> typeSource(std::int32_t type) const;
  // Declares type names the compiler may resolve against: the structures of the group's library or owner.
  std::vector<std::string> knownStructures(std::uint16_t group) const;
  std::vector<std::int32_t> groupTypes(std::uint16_t group) const;
  // Records the compiled members of a type (replacing earlier ones).
  struct Member {
    std::string name;      // without suffix
    std::string suffix;    // "[10]" or ""
    std::string typeName;  // "" for none
    int decimals = 0;
  };
  void setTypeMembers(std::int32_t type, std::vector<Member> members);

  struct Impl;
  Impl& impl();

 private:
  std::unique_ptr<Impl> impl_;
};

}  // namespace quill
