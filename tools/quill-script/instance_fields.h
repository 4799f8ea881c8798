// The editor's fields by their names, as `expect field` compares them and
// `dump` prints them.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "qst/host_context.h"
#include "qst_editor/editor_fields.h"
#include "script_words.h"

namespace script {

// Windows and other handles a field may hold, by the names a scenario uses.
struct KnownHandles {
  HWND frame = nullptr;
  HWND editor = nullptr;
  HWND grid = nullptr;
  HWND notify = nullptr;
  HMENU fileMenu = nullptr;
  HMENU editMenu = nullptr;
  HostContext* context = nullptr;
};

// A symbolic value of a number field, as the editor's own enums name it.
struct NamedNumber {
  std::string_view name;
  std::int64_t value;
};

struct FieldValue {
  enum class Kind { Number, Text, Name } kind = Kind::Number;
  std::int64_t number = 0;
  std::string text;                    // Text: the string; Name: none, editor, grid, ... or other
  std::span<const NamedNumber> names;  // Number: the enum names the field's values have
  std::vector<std::string> alsoText;   // Text: other spellings of the same value
};

// The field's value, or nullopt for a name the record does not have.
std::optional<FieldValue> ReadField(const EditorFields& fields, std::string_view name, const KnownHandles& handles);
// Every field name, in record order.
const std::vector<std::string_view>& FieldNames();
// The value as a scenario writes it: a number, a quoted text, or a name.
std::string FormatField(const FieldValue& value);
// Whether the scenario's word denotes this value: numbers in any base, quoted or
// not, or by their enum name (UndoRowsPaste, DragMoving); a null string, block
// or handle as `none` or 0; a string as quoted or bare text.
bool FieldMatches(const FieldValue& value, const Word& expected);

}  // namespace script
