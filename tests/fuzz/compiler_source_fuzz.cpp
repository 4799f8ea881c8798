// Arbitrary text through the structure source compiler, called directly. The
// known structures form a chain (s_outer holds s_middle, which holds s_fuzz) so
// that the search for a structure that holds itself runs too.
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "quill/compiler.h"

namespace {

std::string Lowered(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

std::vector<std::string> MemberTypesOf(const std::string& structure) {
  const std::string name = Lowered(structure);
  if (name == "s_outer") return {"s_middle", "integer"};
  if (name == "s_middle") return {"s_fuzz", "s_middle"};
  return {};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string source(reinterpret_cast<const char*>(data), size);
  static const std::vector<std::string> known = {"s_outer", "s_middle", "s_fuzz", "s_other"};
  quill::CompileExpectation expectation;
  if (size > 0 && data[0] % 3 != 0) expectation.global = data[0] % 3 == 1;
  expectation.memberTypesOf = &MemberTypesOf;
  quill::CompiledStructure out;
  std::vector<quill::CompileError> errors;
  const bool ok = quill::CompileStructureSource(source, known, expectation, &out, &errors);
  if (ok != errors.empty()) std::abort();
  for (const quill::CompileError& error : errors) {
    if (error.line < 1 || error.message.empty()) std::abort();
  }
  if (ok) {
    // A compiled member is a valid name, a type and decimals in range.
    for (std::size_t i = 0; i < out.members.size(); ++i) {
      const quill::MemberInfo member = out.members[i];
      if (!quill::SplitVariableName(member.name + member.suffix, nullptr, nullptr)) std::abort();
      if (member.typeName.empty() || member.decimals < 0 || member.decimals > quill::kMaxDecimals) std::abort();
    }
  }
  // The member types of any text can be read without judging it.
  if (quill::MemberTypeNames(source).size() > size) std::abort();
  return 0;
}
