// Reads the editor's fields by name for `expect field` and `dump`, and compares
// them with what a scenario wrote.
#include "instance_fields.h"

#include <algorithm>
#include <array>
#include <functional>

#include "qst_editor/undo_kinds.h"

namespace script {
namespace {

using Kind = FieldValue::Kind;

FieldValue Number(std::int64_t value) { return FieldValue{Kind::Number, value, {}, {}, {}}; }

FieldValue Name(std::string name) { return FieldValue{Kind::Name, 0, std::move(name), {}, {}}; }

FieldValue Text(std::string text) { return FieldValue{Kind::Text, 0, std::move(text), {}, {}}; }

FieldValue PoolString(const char* text) { return text ? Text(text) : Name("none"); }

// The undo kinds by the names the module's table gives them.
constexpr auto kUndoNames = [] {
  std::array<NamedNumber, std::size(kUndoKinds)> names{};
  for (std::size_t k = 0; k < names.size(); ++k) names[k] = {kUndoKindNames[k], kUndoKinds[k].action};
  return names;
}();
constexpr NamedNumber kDragNames[] = {{"DragIdle", DragIdle}, {"DragPressed", DragPressed}, {"DragMoving", DragMoving}};

FieldValue Named(std::int64_t value, std::span<const NamedNumber> names) {
  FieldValue field = Number(value);
  field.names = names;
  return field;
}

// The row numbers of the cut-row list, "none" when absent. The block holds its
// count first, so a scenario may write the list with or without it.
FieldValue RowList(const std::uint32_t* list) {
  if (!list) return Name("none");
  std::string rows;
  for (std::uint32_t i = 1; i <= list[0]; ++i) rows += (i > 1 ? " " : "") + std::to_string(list[i]);
  FieldValue field = Text(rows);
  field.alsoText.push_back(std::to_string(list[0]) + (rows.empty() ? "" : " " + rows));
  return field;
}

FieldValue Handle(const void* handle, const KnownHandles& known) {
  if (!handle) return Name("none");
  const std::array<std::pair<const void*, const char*>, 7> names{{
      {known.frame, "frame"},
      {known.editor, "editor"},
      {known.grid, "grid"},
      {known.notify, "notify"},
      {known.fileMenu, "filemenu"},
      {known.editMenu, "editmenu"},
      {known.context, "hostcontext"},
  }};
  for (const auto& [value, name] : names) {
    if (value == handle) return Name(name);
  }
  if (known.context && handle == known.context->pool) return Name("pool");
  return Name("other");
}

struct Field {
  std::string_view name;
  std::function<FieldValue(const EditorFields&, const KnownHandles&)> read;
};

#define INT_FIELD(f)                                                           \
  Field {                                                                      \
#f, [](const EditorFields& i, const KnownHandles&) { return Number(i.f); } \
  }
#define HANDLE_FIELD(f)                                                             \
  Field {                                                                           \
#f, [](const EditorFields& i, const KnownHandles& k) { return Handle(i.f, k); } \
  }

const std::vector<Field>& Fields() {
  static const std::vector<Field> fields{
      INT_FIELD(changed),
      INT_FIELD(firstOpen),
      INT_FIELD(entryRow),
      INT_FIELD(undoRow),
      INT_FIELD(autoAppendArmed),
      INT_FIELD(untitled),
      INT_FIELD(dropRow),
      INT_FIELD(curColumn),
      INT_FIELD(curRow),
      INT_FIELD(anchorRow),
      INT_FIELD(pressRow),
      INT_FIELD(selFirst),
      INT_FIELD(selLast),
      Field{"dragState", [](const EditorFields& i, const KnownHandles&) { return Named(i.dragState, kDragNames); }},
      INT_FIELD(headerHeight),
      INT_FIELD(detailHeight),
      Field{"cutRowList", [](const EditorFields& i, const KnownHandles&) { return RowList(i.cutRowList); }},
      Field{"undoText", [](const EditorFields& i, const KnownHandles&) { return PoolString(i.undoText); }},
      INT_FIELD(pastedCount),
      Field{"moveSnapshot",
            [](const EditorFields& i, const KnownHandles&) { return Name(i.moveSnapshot ? "block" : "none"); }},
      INT_FIELD(moveCount),
      Field{"lastAction", [](const EditorFields& i, const KnownHandles&) { return Named(i.lastAction, kUndoNames); }},
      Field{"undoneAction",
            [](const EditorFields& i, const KnownHandles&) { return Named(i.undoneAction, kUndoNames); }},
      INT_FIELD(contextCode),
      INT_FIELD(callerKind),
      Field{"libraryName", [](const EditorFields& i, const KnownHandles&) { return PoolString(i.libraryName); }},
      Field{"structureName", [](const EditorFields& i, const KnownHandles&) { return PoolString(i.structureName); }},
      INT_FIELD(objectId),
      INT_FIELD(localTypeId),
      INT_FIELD(groupId),
      INT_FIELD(ownerKind),
      Field{"fontMetrics", [](const EditorFields& i, const KnownHandles&) { return Number(i.fontHeight); }},
      Field{"fontMetrics.tmHeight", [](const EditorFields& i, const KnownHandles&) { return Number(i.fontHeight); }},
      HANDLE_FIELD(gridFont),
      HANDLE_FIELD(hostContext),
      HANDLE_FIELD(pool),
      HANDLE_FIELD(editorWindow),
      HANDLE_FIELD(gridWindow),
      HANDLE_FIELD(notifyWindow),
      HANDLE_FIELD(editMenu),
  };
  return fields;
}

#undef INT_FIELD
#undef HANDLE_FIELD

}  // namespace

std::optional<FieldValue> ReadField(const EditorFields& instance, std::string_view name, const KnownHandles& handles) {
  for (const Field& field : Fields()) {
    if (field.name == name) return field.read(instance, handles);
  }
  return std::nullopt;
}

const std::vector<std::string_view>& FieldNames() {
  static const std::vector<std::string_view> names = [] {
    std::vector<std::string_view> all;
    for (const Field& field : Fields()) all.push_back(field.name);
    return all;
  }();
  return names;
}

std::string FormatField(const FieldValue& value) {
  switch (value.kind) {
    case Kind::Number: return std::to_string(value.number);
    case Kind::Text: return Quote(value.text);
    case Kind::Name: return value.text;
  }
  return "";
}

bool FieldMatches(const FieldValue& value, const Word& expected) {
  std::optional<std::int64_t> number = ParseNumber(expected.text);
  switch (value.kind) {
    case Kind::Number: {
      for (const NamedNumber& named : value.names) {
        if (!expected.quoted && expected.text == named.name) return named.value == value.number;
      }
      if (!number) return false;
      // 0xFFFFFFFF and -1 name the same 32-bit field value.
      return *number == value.number ||
             (*number >= 0 && *number <= UINT32_MAX &&
              static_cast<std::uint32_t>(*number) == static_cast<std::uint32_t>(value.number));
    }
    case Kind::Text:
      if (!expected.quoted && expected.text == "none") return false;  // a text, not a null string
      if (expected.text == value.text) return true;
      return std::find(value.alsoText.begin(), value.alsoText.end(), expected.text) != value.alsoText.end();
    case Kind::Name:
      if (expected.quoted) return false;
      // Null reads as none or as the number 0 the record holds.
      if (value.text == "none" && number == 0) return true;
      return expected.text == value.text;
  }
  return false;
}

}  // namespace script
