// The host's type system behind the HostRuntime calls: groups of types, their
// members and stored source, read from and written to library files.
//
// A group is either a global entry's group (a library and an entry name: the
// structure named after the entry) or an owning object's group (its local
// structures). An owner's group id is the low 16 bits of the object's id, as
// the editor derives it; entry groups take ids from the top of the range.
// Type and structure names compare ignoring letter case, as the language does.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "qst/host_api.h"
#include "qst/host_runtime.h"
#include "quill/front_end.h"
#include "quill/member_table.h"

namespace quill {

class Compiler;

class HOST_API Runtime {
 public:
  Runtime();
  ~Runtime();
  Runtime(const Runtime&) = delete;
  Runtime& operator=(const Runtime&) = delete;

  // A handle for one editor: its member arrays come from editorPool. RuntimeRelease
  // (or closeHandle) ends it; calls through an ended handle fail harmlessly.
  HostRuntime* openHandle(HostPool* editorPool);
  // Ends a handle the editor did not release itself (embedded editors never do).
  void closeHandle(HostRuntime* handle);
  int liveHandles() const;
  // What an editor did through its handle, as the host shows it: the structure
  // it last loaded or stored and its library, and how many stores succeeded.
  struct Trail {
    std::string structure;
    std::string library;  // "" for none known yet
    std::string savedTo;  // where the last store went, as the user knows it
    std::uint32_t saves = 0;
    std::uint32_t loads = 0;
    std::int32_t owner = 0;  // the owning object of a local structure
  };
  Trail trail(const HostRuntime* handle) const;
  // Blocks from RuntimeMemberSuffix and RuntimeListTypes not yet given back with RuntimeFree.
  int liveBlocks() const;

  // The library objects are added to and dialogs start in; created when missing.
  // False with *error when it is not a library or cannot be created.
  bool setCurrentLibrary(const std::string& path, std::string* error = nullptr);
  // The current library exactly as setCurrentLibrary was given it (a relative
  // name stays relative); "" before any.
  const std::string& currentLibrary() const;
  // Adds (or finds, by name ignoring case) an owning object of kind "window",
  // "menu", "userobject" or "function" in the current library and writes it
  // there; returns its id, or 0 (with *error) for a bad kind or name, an id
  // already taken, or an id whose low 16 bits name another object's group.
  std::int32_t addObject(const std::string& kind, const std::string& name, std::optional<std::int32_t> id,
                         std::string* error = nullptr);
  std::optional<std::int32_t> findObject(const std::string& name) const;
  std::string objectName(std::int32_t id) const;
  // The owner's local structures (those with stored source), in declaration order.
  std::vector<std::string> localTypeNames(std::int32_t objectId) const;
  // The runtime type id of the owner's local structure of that name (ignoring case), or 0.
  std::int32_t localTypeId(std::int32_t objectId, const std::string& name);
  std::optional<std::string> localTypeSource(std::int32_t objectId, const std::string& name) const;
  // The owner's group (loaded from its library when needed); kNoGroup when
  // unknown. *readError (when given) says why its library could not be read.
  std::uint16_t objectGroup(std::int32_t objectId, std::string* readError = nullptr);
  // Writes an owner's group (the object and its local structures stored since
  // the last write) to its library in one transaction.
  bool writeObjectGroup(std::int32_t objectId, std::string* error);
  // An editor's save of a local structure whose text (the one stored next)
  // just compiled: the owner's library gets it at once, written only while
  // the stored structure is still the version this editor read or last wrote
  // (its own counter; one it never read must not exist yet or be the one the
  // runtime knows) unless the user agrees to replace the other. True when
  // written, and for a type that is no local structure. False when declined
  // or failed: the user has been told why, and the runtime forgets the text,
  // keeping what it held before.
  bool saveLocalType(HostRuntime* editor, std::int32_t type, const std::string& text);
  // Writes a group: an entry group's structure becomes the library's entry (an
  // empty comment keeps the stored one), an owner's group is written as by
  // writeObjectGroup. library "" means the group's own; an entry group made
  // for no library is never written. Nothing is written for a structure whose
  // source does not compile. knownChanges (entry groups): in, the entry's
  // counter when the writer read or last wrote it (none: not known); out, its
  // new counter. False with *error. A library file this write created and could
  // not complete is removed again.
  bool writeGroup(std::uint16_t group, const std::string& library, const std::string& comment, std::string* error,
                  std::optional<std::int64_t>* knownChanges = nullptr);
  // Why the latest HostRuntime call that failed failed ("" when none did).
  const std::string& lastError() const;
  // Why the latest library read or write failed, for the next message box to
  // show as its detail; "" when none failed since the last take.
  std::string takeLibraryFailure();

  // Asked before a write replaces an entry or local structure that someone else
  // wrote since it was read here (the question's text is given, and how the
  // variables of the version written meanwhile differ from the ones about to
  // replace them, a line each); false keeps it and the write fails. Without a
  // question such writes fail.
  using ReplaceQuestion = std::function<bool(const std::string& question, const std::vector<std::string>& differences)>;
  void setReplaceQuestion(ReplaceQuestion ask);
  // Tells the user that a save did not reach the library (message), and why (reason).
  void setFailureNotice(std::function<void(const std::string& message, const std::string& reason)> tell);
  // How long library reads and writes wait for another connection's lock.
  void setBusyTimeout(int milliseconds);
  // Library writes this runtime completed (committed), for tests that check
  // that a library file changes only through a write that completed.
  std::uint64_t libraryWrites() const;
  // Global structure entries of a library, for the open dialog.
  std::vector<LibraryEntryInfo> listEntries(const std::string& library, std::string* error) const;
  std::optional<std::string> storedEntrySource(const std::string& library, const std::string& entry) const;
  // The entry of that name (ignoring case) as the library stores it; none also
  // when the library cannot be read.
  std::optional<LibraryEntryInfo> storedEntry(const std::string& library, const std::string& entry) const;

  // Source of a type as stored, for the compiler.
  std::optional<std::string> typeSource(std::int32_t type) const;
  // The structure names the group's types may use besides the language's
  // types: the library's global structures and, for an owner, its local ones.
  // *readError (when given) says why the library's own could not be read; the
  // names then hold the group's alone.
  std::vector<std::string> knownStructures(std::uint16_t group, std::string* readError = nullptr) const;
  std::vector<std::int32_t> groupTypes(std::uint16_t group) const;
  // Records the compiled members of a type (replacing earlier ones).
  using Member = MemberInfo;
  void setTypeMembers(std::int32_t type, MemberTable members);

  // Compiling, for the compiler. Both append every error to *errors.
  // compileType: text (the source read through the editor's callback) or, when
  // null, the type's stored source. compileGroup: every type of the group from
  // its stored source. True when everything compiled.
  bool compileType(std::int32_t type, const std::string* text, std::vector<CompileError>* errors);
  bool compileGroup(std::uint16_t group, std::vector<CompileError>* errors);

  struct Impl;
  Impl& impl();

 private:
  std::unique_ptr<Impl> impl_;
};

}  // namespace quill
