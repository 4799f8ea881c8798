// Opening libraries for the subcommands, showing progress on a terminal, and
// the wording of errors they share.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "quill/library.h"
#include "quill/library_structures.h"

namespace quill_lib {

// An existing library, never created; a missing, foreign or damaged file ends
// the command with the reason (kExitFile).
std::unique_ptr<quill::Library> OpenExistingLibrary(const std::string& path);

// True for an empty regular file: what git hands over for a library that one
// side of a diff or merge does not have.
bool IsEmptyFile(const std::string& path);

// An existing library (an empty file is an empty library) for a write that follows.
std::unique_ptr<quill::Library> OpenLibraryForWriting(const std::string& path);

// Every structure of the library, compiled, with progress for large libraries.
quill::LibraryStructures ReadStructures(const quill::Library& library, const std::string& what);

// The library's reads for the commands: a read that fails (the file locked
// past the wait, an input/output error, damage, no memory) ends the command
// with its reason (kExitFile) and is never taken for an empty library.
std::vector<quill::Library::StoredEntry> StoredEntries(const quill::Library& library);
std::vector<quill::StoredObject> Objects(const quill::Library& library);
std::vector<quill::StoredLocalType> LocalTypes(const quill::Library& library, std::int32_t objectId);
std::optional<quill::StoredObject> ObjectNamed(const quill::Library& library, const std::string& name);
std::optional<std::string> EntrySource(const quill::Library& library, const std::string& name);

// A progress line on standard error for work over 1,000 items, shown only
// when standard error is a terminal; it is cleared when the work is done.
quill::ProgressCallback TerminalProgress(const std::string& what);

// "VARIABLE: message", or the message alone for an error of no variable.
std::string DescribeError(const quill::CompileError& error);

// The message for a name the library does not hold.
std::string NotFoundMessage(const std::string& library, const std::string& name);

}  // namespace quill_lib
