// `expect field` reads every record field by name and compares it as a scenario writes it.
#include <gtest/gtest.h>

#include <cstring>

#include "instance_fields.h"

namespace script {
namespace {

Word Bare(std::string text) { return Word{std::move(text), false}; }
Word Quoted(std::string text) { return Word{std::move(text), true}; }

TEST(InstanceFields, NumbersCompareInAnyBaseAndAs32Bits) {
  EditorFields instance;
  std::memset(&instance, 0, sizeof instance);
  instance.groupId = 0xFFFF;
  instance.objectId = -1;
  instance.entryRow = 13;
  KnownHandles none;
  FieldValue group = *ReadField(instance, "groupId", none);
  EXPECT_TRUE(FieldMatches(group, Bare("0xFFFF")));
  EXPECT_TRUE(FieldMatches(group, Bare("65535")));
  EXPECT_FALSE(FieldMatches(group, Bare("-1")));
  EXPECT_TRUE(FieldMatches(group, Quoted("65535")));  // a quoted number is still that number
  EXPECT_FALSE(FieldMatches(group, Bare("none")));
  FieldValue object = *ReadField(instance, "objectId", none);
  EXPECT_TRUE(FieldMatches(object, Bare("0xFFFFFFFF")));
  EXPECT_TRUE(FieldMatches(object, Bare("-1")));
  EXPECT_EQ(FormatField(*ReadField(instance, "entryRow", none)), "13");
  EXPECT_FALSE(ReadField(instance, "entryrow", none));  // names are exact
}

TEST(InstanceFields, PoolStringsAndBlocks) {
  EditorFields instance;
  std::memset(&instance, 0, sizeof instance);
  KnownHandles none;
  FieldValue name = *ReadField(instance, "structureName", none);
  EXPECT_TRUE(FieldMatches(name, Bare("none")));
  EXPECT_FALSE(FieldMatches(name, Quoted("none")));
  char text[] = "none";
  instance.structureName = text;
  name = *ReadField(instance, "structureName", none);
  EXPECT_TRUE(FieldMatches(name, Quoted("none")));
  EXPECT_FALSE(FieldMatches(name, Bare("none")));  // a structure named none is not a null name
  EXPECT_EQ(FormatField(name), "\"none\"");
  std::uint32_t rows[] = {3, 2, 3, 4};
  instance.cutRowList = rows;
  FieldValue cut = *ReadField(instance, "cutRowList", none);
  EXPECT_TRUE(FieldMatches(cut, Quoted("2 3 4")));
  EXPECT_TRUE(FieldMatches(cut, Quoted("3 2 3 4")));  // the block as stored, count first
  EXPECT_FALSE(FieldMatches(cut, Quoted("2 3")));
  EXPECT_FALSE(FieldMatches(cut, Quoted("4 2 3 4")));
}

// Scenarios write a null pointer or handle as none or as the 0 the record holds.
TEST(InstanceFields, NullReadsAsNoneOrZero) {
  EditorFields instance;
  std::memset(&instance, 0, sizeof instance);
  KnownHandles none;
  for (std::string_view field : {"notifyWindow", "structureName", "cutRowList", "moveSnapshot", "editMenu"}) {
    FieldValue value = *ReadField(instance, field, none);
    EXPECT_TRUE(FieldMatches(value, Bare("none"))) << field;
    EXPECT_TRUE(FieldMatches(value, Bare("0"))) << field;
    EXPECT_TRUE(FieldMatches(value, Bare("0x0"))) << field;
    EXPECT_FALSE(FieldMatches(value, Bare("1"))) << field;
    EXPECT_FALSE(FieldMatches(value, Quoted("none"))) << field;
  }
  instance.notifyWindow = reinterpret_cast<HWND>(0x40);
  EXPECT_FALSE(FieldMatches(*ReadField(instance, "notifyWindow", none), Bare("0")));
}

TEST(InstanceFields, EnumFieldsAcceptTheirNames) {
  EditorFields instance;
  std::memset(&instance, 0, sizeof instance);
  KnownHandles none;
  instance.lastAction = 15;  // UndoRowsPaste
  instance.dragState = 2;    // DragMoving
  FieldValue last = *ReadField(instance, "lastAction", none);
  EXPECT_TRUE(FieldMatches(last, Bare("UndoRowsPaste")));
  EXPECT_TRUE(FieldMatches(last, Bare("15")));
  EXPECT_FALSE(FieldMatches(last, Bare("UndoRowsPasteUndone")));
  EXPECT_FALSE(FieldMatches(last, Bare("DragMoving")));
  EXPECT_TRUE(FieldMatches(*ReadField(instance, "undoneAction", none), Bare("UndoNone")));
  EXPECT_TRUE(FieldMatches(*ReadField(instance, "dragState", none), Bare("DragMoving")));
  EXPECT_FALSE(FieldMatches(*ReadField(instance, "dragState", none), Bare("DragIdle")));
}

TEST(InstanceFields, HandlesAreNamedByWhatTheyAre) {
  EditorFields instance;
  std::memset(&instance, 0, sizeof instance);
  HostContext context{};
  KnownHandles handles;
  handles.editor = reinterpret_cast<HWND>(0x10);
  handles.grid = reinterpret_cast<HWND>(0x20);
  handles.context = &context;
  context.pool = reinterpret_cast<HostPool*>(0x30);
  instance.editorWindow = handles.editor;
  instance.gridWindow = handles.grid;
  instance.hostContext = &context;
  instance.pool = context.pool;
  instance.notifyWindow = reinterpret_cast<HWND>(0x40);
  EXPECT_EQ(FormatField(*ReadField(instance, "editorWindow", handles)), "editor");
  EXPECT_EQ(FormatField(*ReadField(instance, "gridWindow", handles)), "grid");
  EXPECT_EQ(FormatField(*ReadField(instance, "hostContext", handles)), "hostcontext");
  EXPECT_EQ(FormatField(*ReadField(instance, "pool", handles)), "pool");
  EXPECT_EQ(FormatField(*ReadField(instance, "notifyWindow", handles)), "other");
  EXPECT_EQ(FormatField(*ReadField(instance, "editMenu", handles)), "none");
}

TEST(InstanceFields, EveryFieldHasAName) {
  const std::vector<std::string_view>& names = FieldNames();
  for (std::string_view field :
       {"changed", "firstOpen", "dragState", "headerHeight", "pastedCount", "moveSnapshot", "moveCount", "undoneAction",
        "localTypeId", "ownerKind", "fontMetrics", "gridFont", "editMenu", "undoText"}) {
    EXPECT_NE(std::find(names.begin(), names.end(), field), names.end()) << field;
  }
  EXPECT_EQ(names.size(), 40u);  // the 39 fields, and fontMetrics.tmHeight
}

}  // namespace
}  // namespace script
