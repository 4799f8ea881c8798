// The HostCompiler calls: compiling one type through the editor's character
// callback, or a whole group from its stored source.
#include "quill/compiler.h"
#include "quill/src/runtime_state.h"

#include <new>

struct HostCompiler {
  quill::Compiler::Impl* impl = nullptr;
  HostRuntime* editor = nullptr;  // the editor whose compiles of local structures are its saves
};

namespace quill {

// Longer text than this is not a structure but a callback that never sends its NUL.
constexpr std::size_t kMaxSourceLength = std::size_t{64} << 20;

struct Compiler::Impl {
  explicit Impl(Runtime& r) : runtime(r) { handle.impl = this; }
  Runtime& runtime;
  HostCompiler handle;
  // Ended editor handles are kept (without their editor) so that a late call
  // through one never touches freed memory.
  std::vector<std::unique_ptr<HostCompiler>> editorHandles;
  std::vector<CompileError> errors;
  std::string structure;  // what the latest compile judged
  bool open = false;

  void begin(std::string judged) {
    errors.clear();
    structure = std::move(judged);
    open = true;
  }
};

Compiler::Compiler(Runtime& runtime) : impl_(std::make_unique<Impl>(runtime)) {}
Compiler::~Compiler() = default;
HostCompiler* Compiler::handle() { return &impl_->handle; }

HostCompiler* Compiler::openHandle(HostRuntime* editor) {
  impl_->editorHandles.push_back(std::make_unique<HostCompiler>(HostCompiler{impl_.get(), editor}));
  return impl_->editorHandles.back().get();
}

void Compiler::closeHandle(HostCompiler* handle) {
  for (const auto& owned : impl_->editorHandles) {
    if (owned.get() == handle) owned->editor = nullptr;
  }
}

const std::vector<CompileError>& Compiler::lastErrors() const { return impl_->errors; }
const std::string& Compiler::lastStructure() const { return impl_->structure; }
bool Compiler::compileOpen() const { return impl_->open; }

}  // namespace quill

namespace {

// A compile whose allocation failed did not compile; it says why when the
// error list still has room for that.
int OutOfMemory(HostCompiler* compiler) noexcept {
  try {
    compiler->impl->errors.push_back({0, "", "Out of memory."});
  } catch (const std::bad_alloc&) {
  }
  return 0;
}

}  // namespace

extern "C" {

int CompilerCompileType(HostCompiler* compiler, std::int32_t type, CompilerGetChar getChar) try {
  if (!compiler || !compiler->impl) return 0;
  quill::Compiler::Impl& impl = *compiler->impl;
  const quill::RuntimeType* judged = impl.runtime.impl().type(type);
  impl.begin(judged ? judged->name : std::string());
  if (!getChar) {
    impl.errors.push_back({0, "", "There is no structure source to compile."});
    return 0;
  }
  std::string text;
  for (char c = getChar(); c != '\0'; c = getChar()) {
    if (text.size() >= quill::kMaxSourceLength) {
      impl.errors.push_back({0, "", "The structure source is too long."});
      return 0;
    }
    text.push_back(c);
  }
  if (!impl.runtime.compileType(type, &text, &impl.errors)) return 0;
  return !compiler->editor || impl.runtime.saveLocalType(compiler->editor, type, text) ? 1 : 0;
} catch (const std::bad_alloc&) {
  return OutOfMemory(compiler);
}

int CompilerCompileGroup(HostCompiler* compiler, std::uint16_t group) try {
  if (!compiler || !compiler->impl) return 0;
  quill::Compiler::Impl& impl = *compiler->impl;
  const quill::RuntimeGroup* judged = impl.runtime.impl().group(group);
  impl.begin(judged ? judged->entry : std::string());
  return impl.runtime.compileGroup(group, &impl.errors) ? 1 : 0;
} catch (const std::bad_alloc&) {
  return OutOfMemory(compiler);
}

void CompilerEnd(HostCompiler* compiler) {
  // The errors stay for the host's report until the next compile starts.
  if (compiler && compiler->impl) compiler->impl->open = false;
}

}  // extern "C"
