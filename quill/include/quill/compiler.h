// The host compiler behind the HostCompiler calls: compiles structure source
// text, reports errors with line numbers, and records the members it found.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "qst/host_api.h"
#include "qst/host_compiler.h"
#include "quill/front_end.h"
#include "quill/runtime.h"

namespace quill {

// Longest variable or structure name, not counting an array suffix.
constexpr std::size_t kMaxNameLength = 40;
constexpr int kMaxDecimals = 18;

struct CompiledStructure {
  std::string name;
  bool global = false;
  MemberTable members;
};

// What the caller knows the text must declare, and of the other structures;
// unset parts are not checked.
struct CompileExpectation {
  std::optional<bool> global;  // true: "global type", false: "type"
  std::string name;            // the structure's name, compared ignoring case; "" for any
  // The member types of a known structure as stored ("" or unknown: none). With
  // it a member whose structure holds this one, at any depth, is refused.
  std::function<std::vector<std::string>(const std::string& structure)> memberTypesOf = {};
};

// Compiles one structure's source. knownStructures are the structure names the
// member types may name besides the language's types (compared ignoring case;
// the structure's own name never counts: a structure cannot contain itself).
// Returns true when there were no errors; every error found is appended to
// *errors (may be null) with its line and variable, in line order.
HOST_API bool CompileStructureSource(const std::string& source, const std::vector<std::string>& knownStructures,
                                     CompiledStructure* out, std::vector<CompileError>* errors);
HOST_API bool CompileStructureSource(const std::string& source, const std::vector<std::string>& knownStructures,
                                     const CompileExpectation& expectation, CompiledStructure* out,
                                     std::vector<CompileError>* errors);

// The type names of a structure source's member lines, in order; the text is
// not judged (whatever fails to compile gives what can be read of it).
HOST_API std::vector<std::string> MemberTypeNames(const std::string& source);

// The type names of the language itself, in alphabetical order.
HOST_API std::vector<std::string> LanguageTypeNames();
// True for the type names of the language itself ("integer", "decimal", "any", ...), ignoring case.
HOST_API bool IsLanguageTypeName(const std::string& name);
// A variable name: a letter, then letters, digits and _ $ # % -, at most 40
// characters, optionally followed by an array suffix "[N]" (N from 1) or "[]".
// On success *base and *suffix (may be null) get the two parts.
HOST_API bool SplitVariableName(const std::string& text, std::string* base, std::string* suffix);

class HOST_API Compiler {
 public:
  explicit Compiler(Runtime& runtime);
  ~Compiler();
  Compiler(const Compiler&) = delete;
  Compiler& operator=(const Compiler&) = delete;

  // The handle of no editor: its compiles only compile.
  HostCompiler* handle();
  // A handle for one editor. This host keeps no owning object open that would
  // write its local structures later, so an editor's compile of a local
  // structure through the callback is where its save reaches the library:
  // once the text compiles it is written at once (Runtime::saveLocalType,
  // with this editor's own change counters), and a write that is declined or
  // fails makes the compile fail with no error listed. closeHandle ends it;
  // compiles through an ended handle only compile.
  HostCompiler* openHandle(HostRuntime* editor);
  void closeHandle(HostCompiler* handle);
  // Errors of the latest compile; kept until the next compile starts.
  const std::vector<CompileError>& lastErrors() const;
  // The structure the latest compile judged (a group's: its entry), "" when unknown.
  const std::string& lastStructure() const;
  // True between a compile and its CompilerEnd.
  bool compileOpen() const;

  struct Impl;

 private:
  std::unique_ptr<Impl> impl_;
};

}  // namespace quill
