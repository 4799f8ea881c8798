// The host compiler behind the HostCompiler calls: compiles structure source
// text, reports errors with line numbers, and records the members it found.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "editor/host/host_compiler.h"
#include "quill/front_end.h"
#include "quill/runtime.h"

namespace quill {

struct CompiledStructure {
  std::string name;
  bool global = false;
  std::vector<Runtime::Member> members;
};

// Compiles one structure's source. knownStructures are the structure names the
// member types may name besides the language's types (compared ignoring case).
// Returns true when there were no errors.
bool CompileStructureSource(const std::string& source, const std::vector<std::string>& knownStructures,
                            CompiledStructure* out, std::vector<CompileError>* errors);

class Compiler {
 public:
  explicit Compiler(Runtime& runtime);
  ~Compiler();
  HostCompiler* handle();
  // Errors of the latest compile.
  const std::vector<CompileError>& lastErrors() const;

  struct Impl;

 private:
  std::unique_ptr<Impl> impl_;
};

}  // namespace quill
