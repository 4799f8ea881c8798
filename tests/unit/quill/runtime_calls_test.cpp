// The runtime's exported calls: groups, types, members, writes.
#include <algorithm>
// The HostRuntime and HostCompiler calls as the editor makes them, against
// real library files and a real editor pool.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "quill/compiler.h"
#include "quill/library.h"
#include "quill/runtime.h"
#include "quill/src/pool.h"
#include "tests/unit/quill/library_test_support.h"

namespace quill {
namespace {

using testing::ScratchDir;

const char* gReadPointer = nullptr;
char ReadSourceChar() { return *gReadPointer++; }

class RuntimeCalls : public ::testing::Test {
 protected:
  void SetUp() override {
    pool_.setAssertOnFault(false);
    rt_ = runtime_.openHandle(&pool_);
    library_ = dir_.file("app.lib");
  }
  void TearDown() override {
    RuntimeRelease(rt_);
    EXPECT_EQ(runtime_.liveBlocks(), 0);
  }

  // The text as the editor hands it over: a block of its pool.
  char* PoolText(const std::string& text) {
    auto* block = static_cast<char*>(PoolAlloc(&pool_, static_cast<std::uint32_t>(text.size() + 1), 0));
    std::memcpy(block, text.c_str(), text.size() + 1);
    return block;
  }

  // The global save's calls: group, type, stored source, group compile, write.
  int SaveGlobal(const std::string& name, const std::string& lines, const char* comment = "") {
    std::uint16_t group = RuntimeCreateEntryGroup(rt_, library_.c_str(), name.c_str(), kRuntimeKindStructure);
    std::int32_t type = RuntimeDeclareType(rt_, group, name.c_str(), kRuntimeKindStructure, kDeclareTypeFlags);
    std::string text = "global type " + name + " from structure\r\n" + lines + "end type";
    RuntimeStoreTypeSource(rt_, type, PoolText(text), static_cast<std::uint32_t>(text.size() + 1));
    int compiled = CompilerCompileGroup(compiler_.handle(), group);
    int written = compiled == 1 ? RuntimeWriteGroup(rt_, group, library_.c_str(), comment) : 0;
    CompilerEnd(compiler_.handle());
    return written;
  }

  // The embedded save's compile through the callback, then the store on success.
  int SaveLocal(std::uint16_t group, const std::string& name, const std::string& lines) {
    std::int32_t type = RuntimeDeclareType(rt_, group, name.c_str(), kRuntimeKindStructure, kDeclareTypeFlags);
    std::string text = "type " + name + " from structure\r\n" + lines + "end type";
    char* block = PoolText(text);
    gReadPointer = block;
    int ok = CompilerCompileType(compiler_.handle(), type, &ReadSourceChar);
    CompilerEnd(compiler_.handle());
    if (ok) {
      RuntimeStoreTypeSource(rt_, type, block, static_cast<std::uint32_t>(text.size() + 1));
    } else {
      PoolFree(&pool_, block);
    }
    return ok;
  }

  std::vector<std::string> MemberTexts(HostRuntime* rt, HostPool* pool, std::int32_t type) {
    std::uint32_t count = 99;
    MemberRecord* members = RuntimeTypeMembers(rt, type, &count);
    std::vector<std::string> texts;
    if (!members) return {"<null>"};
    EXPECT_TRUE(pool->owns(members));
    for (std::uint32_t i = 0; i < count; ++i) {
      std::string text = members[i].name;
      if (members[i].flags & kMemberHasSuffix) {
        char* suffix = RuntimeMemberSuffix(rt, &members[i]);
        text += suffix;
        RuntimeFree(rt, suffix);
      }
      text += std::string(" ") + (members[i].typeName ? members[i].typeName : "-");
      int decimals = (members[i].flags & kMemberDecimalsMask) >> 1;
      if (decimals) text += " " + std::to_string(decimals);
      texts.push_back(text);
    }
    PoolFree(pool, members);
    return texts;
  }

  ScratchDir dir_;
  std::string library_;
  HostPool pool_;
  Runtime runtime_;
  Compiler compiler_{runtime_};
  HostRuntime* rt_ = nullptr;
};

TEST_F(RuntimeCalls, GroupsAndTypesHaveStableIdsIgnoringCase) {
  std::uint16_t a = RuntimeCreateEntryGroup(rt_, library_.c_str(), "s_a", kRuntimeKindStructure);
  EXPECT_NE(a, kNoGroup);
  EXPECT_EQ(RuntimeCreateEntryGroup(rt_, library_.c_str(), "S_A", kRuntimeKindStructure), a);
  EXPECT_NE(RuntimeCreateEntryGroup(rt_, library_.c_str(), "s_b", kRuntimeKindStructure), a);
  EXPECT_NE(RuntimeCreateEntryGroup(rt_, dir_.file("other.lib").c_str(), "s_a", kRuntimeKindStructure), a);
  EXPECT_EQ(RuntimeCreateEntryGroup(rt_, library_.c_str(), "s_a", 0x4062), kNoGroup);

  std::int32_t type = RuntimeDeclareType(rt_, a, "s_a", kRuntimeKindStructure, kDeclareTypeFlags);
  EXPECT_NE(type, 0);
  EXPECT_EQ(RuntimeDeclareType(rt_, a, "S_a", kRuntimeKindStructure, kDeclareTypeFlags), type);
  EXPECT_EQ(RuntimeFindType(rt_, a, "s_A"), type);
  EXPECT_EQ(RuntimeFindType(rt_, a, "s_zz"), 0);
  EXPECT_EQ(RuntimeDeclareType(rt_, kNoGroup, "s_a", kRuntimeKindStructure, kDeclareTypeFlags), 0);
}

TEST_F(RuntimeCalls, SavedGlobalStructureLoadsBackWithMembersFromThePool) {
  ASSERT_EQ(SaveGlobal("s_a",
                       "\tinteger\t\tqty\r\n\tdecimal {2}\tamount\r\n\tstring\t\tnames[10]\r\n"
                       "\tlong\t\tall[]\r\n"),
            1);
  EXPECT_EQ(pool_.liveBlocks(), 0);  // the stored text went back to the editor's pool

  // Another host reads the file afresh.
  HostPool pool;
  Runtime runtime;
  HostRuntime* rt = runtime.openHandle(&pool);
  std::uint16_t group = RuntimeOpenEntryGroup(rt, library_.c_str(), "S_A", kRuntimeKindStructure);
  ASSERT_NE(group, kNoGroup);
  std::int32_t type = RuntimeFindType(rt, group, "s_a");
  ASSERT_NE(type, 0);
  EXPECT_EQ(MemberTexts(rt, &pool, type),
            (std::vector<std::string>{"qty integer", "amount decimal 2", "names[10] string", "all[] long"}));
  EXPECT_EQ(pool.liveBlocks(), 0);
  EXPECT_EQ(runtime.liveBlocks(), 0);
  RuntimeRelease(rt);
}

// A runtime that read an entry answers the next open from what it compiled,
// until the stored version changes under it.
TEST_F(RuntimeCalls, ReopenedEntryGivesTheStoredVersionsMembers) {
  ASSERT_EQ(SaveGlobal("s_a", "\tinteger\t\tqty\r\n\tdecimal {2}\tamount\r\n\tstring\t\tnames[10]\r\n"), 1);
  HostPool pool;
  Runtime runtime;
  HostRuntime* rt = runtime.openHandle(&pool);
  auto reopen = [&] {
    std::uint16_t group = RuntimeOpenEntryGroup(rt, library_.c_str(), "s_a", kRuntimeKindStructure);
    return MemberTexts(rt, &pool, RuntimeFindType(rt, group, "s_a"));
  };
  const std::vector<std::string> first{"qty integer", "amount decimal 2", "names[10] string"};
  EXPECT_EQ(reopen(), first);
  EXPECT_EQ(reopen(), first);

  ASSERT_EQ(SaveGlobal("s_a", "\tlong\t\tcount\r\n"), 1);  // another program writes a new version
  EXPECT_EQ(reopen(), (std::vector<std::string>{"count long"}));
  EXPECT_EQ(pool.liveBlocks(), 0);
  RuntimeRelease(rt);
}

TEST_F(RuntimeCalls, OpenEntryGroupFailsForWhatCannotBeRead) {
  ASSERT_EQ(SaveGlobal("s_a", "\tinteger\t\tqty\r\n"), 1);
  testing::WriteBytes(dir_.file("notes.txt"), "global type s_a from structure\r\nend type");
  EXPECT_EQ(RuntimeOpenEntryGroup(rt_, library_.c_str(), "s_missing", kRuntimeKindStructure), kNoGroup);
  EXPECT_EQ(RuntimeOpenEntryGroup(rt_, dir_.file("none.lib").c_str(), "s_a", kRuntimeKindStructure), kNoGroup);
  EXPECT_FALSE(std::filesystem::exists(dir_.file("none.lib")));
  EXPECT_EQ(RuntimeOpenEntryGroup(rt_, dir_.file("notes.txt").c_str(), "s_a", kRuntimeKindStructure), kNoGroup);
  EXPECT_EQ(RuntimeOpenEntryGroup(rt_, nullptr, "s_a", kRuntimeKindStructure), kNoGroup);
}

TEST_F(RuntimeCalls, FailedCompileIsNotWrittenAndThePreviousEntryStays) {
  ASSERT_EQ(SaveGlobal("s_a", "\tinteger\t\tqty\r\n", "first"), 1);
  std::string before = *Library::open(library_, false, nullptr)->entrySource("s_a");

  EXPECT_EQ(SaveGlobal("s_a", "\tnumber\t\tqty\r\n\tinteger\t\tQTY\r\n"), 0);
  ASSERT_EQ(compiler_.lastErrors().size(), 2u);
  EXPECT_EQ(compiler_.lastErrors()[0].line, 2);
  EXPECT_EQ(compiler_.lastErrors()[0].variable, "qty");
  EXPECT_EQ(compiler_.lastErrors()[1].line, 3);
  // Writing the group anyway is refused.
  std::uint16_t group = RuntimeCreateEntryGroup(rt_, library_.c_str(), "s_a", kRuntimeKindStructure);
  EXPECT_EQ(RuntimeWriteGroup(rt_, group, library_.c_str(), "x"), 0);
  auto library = Library::open(library_, false, nullptr);
  EXPECT_EQ(library->entrySource("s_a"), before);
  EXPECT_EQ(library->entryInfo("s_a")->comment, "first");
  // Opening reads the file again: the stored entry, not the failed text.
  group = RuntimeOpenEntryGroup(rt_, library_.c_str(), "s_a", kRuntimeKindStructure);
  EXPECT_EQ(MemberTexts(rt_, &pool_, RuntimeFindType(rt_, group, "s_a")), (std::vector<std::string>{"qty integer"}));
}

// Text another program stored, naming a structure the library does not hold:
// the load fails, and the reason for its box is the text's first error.
TEST_F(RuntimeCalls, StoredTextThatDoesNotCompileLoadsNothingAndSaysWhy) {
  std::string error;
  ASSERT_TRUE(Library::open(library_, true, &error)
                  ->writeEntry("s_bad", "global type s_bad from structure\r\n\ts_gone\t\tpart\r\nend type", "", &error))
      << error;
  std::uint16_t group = RuntimeOpenEntryGroup(rt_, library_.c_str(), "s_bad", kRuntimeKindStructure);
  ASSERT_NE(group, kNoGroup);
  EXPECT_EQ(MemberTexts(rt_, &pool_, RuntimeFindType(rt_, group, "s_bad")), (std::vector<std::string>{"<null>"}));
  EXPECT_EQ(runtime_.takeLibraryFailure(), "Line 2: Unknown type \"s_gone\".");
}

TEST_F(RuntimeCalls, GlobalStructureMayUseAnotherOfItsLibraryOnly) {
  ASSERT_EQ(SaveGlobal("s_address", "\tstring\t\tstreet\r\n"), 1);
  EXPECT_EQ(SaveGlobal("s_person", "\tS_Address\t\thome\r\n"), 1);
  library_ = dir_.file("other.lib");
  EXPECT_EQ(SaveGlobal("s_person", "\ts_address\t\thome\r\n"), 0);
  ASSERT_EQ(compiler_.lastErrors().size(), 1u);
  EXPECT_EQ(compiler_.lastErrors()[0].message, "Unknown type \"s_address\".");
}

TEST_F(RuntimeCalls, OwnerObjectsTheirKindsNamesAndGroups) {
  ASSERT_TRUE(runtime_.setCurrentLibrary(library_));
  std::int32_t window = runtime_.addObject("window", "w_main", std::nullopt);
  std::int32_t menu = runtime_.addObject("menu", "m_main", 0x00012345);
  std::int32_t userObject = runtime_.addObject("userobject", "u_tab", std::nullopt);
  std::int32_t function = runtime_.addObject("function", "f_sum", std::nullopt);
  ASSERT_NE(window, 0);
  EXPECT_EQ(menu, 0x00012345);
  EXPECT_EQ(runtime_.addObject("window", "W_MAIN", std::nullopt), window);
  EXPECT_EQ(runtime_.addObject("window", "w_other", 0x00022345), 0);  // its group would be m_main's
  EXPECT_EQ(runtime_.addObject("button", "b_ok", std::nullopt), 0);
  EXPECT_EQ(runtime_.addObject("window", "9w", std::nullopt), 0);

  EXPECT_EQ(RuntimeObjectKind(rt_, window), kObjectKindWindow);
  EXPECT_EQ(RuntimeObjectKind(rt_, menu), kObjectKindMenu);
  EXPECT_EQ(RuntimeObjectKind(rt_, userObject), kObjectKindUserObject);
  EXPECT_EQ(RuntimeObjectKind(rt_, function), kObjectKindFunction);
  EXPECT_EQ(RuntimeObjectKind(rt_, 4711), 0);
  EXPECT_STREQ(RuntimeObjectName(rt_, window), "w_main");
  EXPECT_STREQ(RuntimeObjectName(rt_, 0), "");
  EXPECT_STREQ(RuntimeObjectName(rt_, 4711), "");
  // The editor takes an owner's group from the low 16 bits of its id.
  EXPECT_EQ(runtime_.objectGroup(menu), 0x2345);
  EXPECT_EQ(runtime_.objectGroup(window), static_cast<std::uint16_t>(window & 0xFFFF));

  // Objects persist in the library.
  Runtime fresh;
  ASSERT_TRUE(fresh.setCurrentLibrary(library_));
  EXPECT_EQ(fresh.findObject("m_MAIN"), menu);
  EXPECT_EQ(fresh.objectName(userObject), "u_tab");
}

TEST_F(RuntimeCalls, LocalStructuresCompileThroughTheCallbackAndPersist) {
  ASSERT_TRUE(runtime_.setCurrentLibrary(library_));
  ASSERT_EQ(SaveGlobal("s_address", "\tstring\t\tstreet\r\n"), 1);
  std::int32_t owner = runtime_.addObject("window", "w_main", std::nullopt);
  auto group = static_cast<std::uint16_t>(owner & 0xFFFF);
  std::uint32_t count = 7;
  EXPECT_EQ(RuntimeListTypes(rt_, group, kRuntimeKindStructure, &count), nullptr);
  EXPECT_EQ(count, 0u);

  ASSERT_EQ(SaveLocal(group, "s_line", "\tinteger\t\tqty\r\n"), 1);
  // Another local structure of the owner and a global one of its library are known.
  ASSERT_EQ(SaveLocal(group, "s_order", "\ts_line\t\tfirst\r\n\ts_address\t\tto\r\n"), 1);
  // A failed compile changes nothing that was stored, and declares nothing visible.
  EXPECT_EQ(SaveLocal(group, "s_line", "\tinteger\t\t1qty\r\n"), 0);
  EXPECT_EQ(SaveLocal(group, "s_bad", "\tnumber\t\tx\r\n"), 0);
  EXPECT_EQ(pool_.liveBlocks(), 0);

  TypeListEntry* list = RuntimeListTypes(rt_, group, kRuntimeKindStructure, &count);
  ASSERT_EQ(count, 2u);
  EXPECT_STREQ(list[0].name, "s_line");
  EXPECT_STREQ(list[1].name, "s_order");
  RuntimeFree(rt_, list);
  EXPECT_EQ(MemberTexts(rt_, &pool_, RuntimeFindType(rt_, group, "s_line")), (std::vector<std::string>{"qty integer"}));

  std::string error;
  ASSERT_TRUE(runtime_.writeObjectGroup(owner, &error)) << error;
  Runtime fresh;
  ASSERT_TRUE(fresh.setCurrentLibrary(library_));
  EXPECT_EQ(fresh.localTypeNames(owner), (std::vector<std::string>{"s_line", "s_order"}));
  std::int32_t order = fresh.localTypeId(owner, "S_ORDER");
  ASSERT_NE(order, 0);
  HostPool pool;
  HostRuntime* rt = fresh.openHandle(&pool);
  EXPECT_EQ(MemberTexts(rt, &pool, order), (std::vector<std::string>{"first s_line", "to s_address"}));
  RuntimeRelease(rt);
}

TEST_F(RuntimeCalls, OwnerGroupPicksUpWhatWasWrittenSinceWithoutLosingUnwrittenSaves) {
  ASSERT_TRUE(runtime_.setCurrentLibrary(library_));
  std::int32_t owner = runtime_.addObject("window", "w_main", std::nullopt);
  std::uint16_t group = runtime_.objectGroup(owner);
  ASSERT_EQ(SaveLocal(group, "s_mine", "\tinteger\t\tqty\r\n"), 1);
  // Another writer adds a local structure and replaces s_mine in the file.
  auto library = Library::open(library_, false, nullptr);
  ASSERT_TRUE(library->writeLocalTypes(
      owner,
      {{"s_other", "type s_other from structure\r\nend type"}, {"s_mine", "type s_mine from structure\r\nend type"}},
      nullptr));
  EXPECT_EQ(runtime_.objectGroup(owner), group);
  EXPECT_EQ(runtime_.localTypeNames(owner), (std::vector<std::string>{"s_mine", "s_other"}));
  // The editor's save of s_mine replaces the other writer's only when the user
  // says so; then it is what gets written.
  std::vector<std::string> questions;
  runtime_.setReplaceQuestion([&](const std::string& question, const std::vector<std::string>&) {
    questions.push_back(question);
    return true;
  });
  std::string error;
  ASSERT_TRUE(runtime_.writeObjectGroup(owner, &error)) << error;
  EXPECT_EQ(questions, (std::vector<std::string>{"s_mine was changed in " + library_ +
                                                 " after you opened it.\nReplace that version with yours?"}));
  auto stored = Library::open(library_, false, nullptr)->localTypes(owner);
  ASSERT_EQ(stored.size(), 2u);
  auto mine = std::find_if(stored.begin(), stored.end(), [](const auto& t) { return t.name == "s_mine"; });
  ASSERT_NE(mine, stored.end());
  EXPECT_EQ(mine->source, "type s_mine from structure\r\n\tinteger\t\tqty\r\nend type");
  EXPECT_TRUE(std::any_of(stored.begin(), stored.end(), [](const auto& t) { return t.name == "s_other"; }));
}

// Structures stored in the group without being written (not through an
// editor's save) are written with the group; when the user keeps the other
// writer's version, the runtime forgets its own and holds the file's.
TEST_F(RuntimeCalls, OwnerGroupWriteThatIsDeclinedForgetsWhatItWouldHaveWritten) {
  ASSERT_TRUE(runtime_.setCurrentLibrary(library_));
  std::int32_t owner = runtime_.addObject("window", "w_main", std::nullopt);
  std::uint16_t group = runtime_.objectGroup(owner);
  ASSERT_EQ(SaveLocal(group, "s_mine", "\tinteger\t\tqty\r\n"), 1);
  ASSERT_EQ(SaveLocal(group, "s_new", "\tinteger\t\tn\r\n"), 1);
  const std::string theirs = "type s_mine from structure\r\n\tlong\t\tcount\r\nend type";
  ASSERT_TRUE(Library::open(library_, false, nullptr)->writeLocalTypes(owner, {{"s_mine", theirs}}, nullptr));
  int asked = 0;
  std::vector<std::string> shown;  // the differences offered with the question: theirs to mine
  runtime_.setReplaceQuestion([&](const std::string&, const std::vector<std::string>& differences) {
    shown = differences;
    return ++asked, false;
  });
  std::string error;
  EXPECT_FALSE(runtime_.writeObjectGroup(owner, &error));
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(shown,
            (std::vector<std::string>{"removed variable count: long (row 1)", "added variable qty: integer (row 1)"}));
  EXPECT_EQ(error, "You kept the version in " + library_ + "; your rows are unchanged.");
  EXPECT_EQ(runtime_.localTypeSource(owner, "s_mine"), theirs);
  EXPECT_EQ(runtime_.localTypeNames(owner), (std::vector<std::string>{"s_mine"}));
  // Nothing is left to write, so nothing more is asked.
  EXPECT_TRUE(runtime_.writeObjectGroup(owner, &error)) << error;
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(Library::open(library_, false, nullptr)->localTypes(owner).size(), 1u);
}

TEST_F(RuntimeCalls, LocalStructureSavedUnderAnotherSpellingIsWrittenUnderIt) {
  ASSERT_TRUE(runtime_.setCurrentLibrary(library_));
  std::int32_t owner = runtime_.addObject("window", "w_main", std::nullopt);
  std::uint16_t group = runtime_.objectGroup(owner);
  ASSERT_EQ(SaveLocal(group, "s_line", "\tstring\t\ttext\r\n"), 1);
  std::string error;
  ASSERT_TRUE(runtime_.writeObjectGroup(owner, &error)) << error;

  // Names ignore letter case, so S_Line takes s_line's place; the file must
  // then name it as its own source does, not keep the old spelling.
  ASSERT_EQ(SaveLocal(group, "S_Line", "\tinteger\t\tqty\r\n"), 1);
  ASSERT_TRUE(runtime_.writeObjectGroup(owner, &error)) << error;
  auto stored = Library::open(library_, false, nullptr)->localTypes(owner);
  ASSERT_EQ(stored.size(), 1u);
  EXPECT_EQ(stored[0].name, "S_Line");
  EXPECT_EQ(stored[0].source, "type S_Line from structure\r\n\tinteger\t\tqty\r\nend type");
}

TEST_F(RuntimeCalls, HeaderMustMatchTheTypeBeingCompiled) {
  ASSERT_TRUE(runtime_.setCurrentLibrary(library_));
  std::int32_t owner = runtime_.addObject("window", "w_main", std::nullopt);
  auto group = static_cast<std::uint16_t>(owner & 0xFFFF);
  std::int32_t type = RuntimeDeclareType(rt_, group, "s_line", kRuntimeKindStructure, kDeclareTypeFlags);
  gReadPointer = "global type s_line from structure\r\nend type";
  EXPECT_EQ(CompilerCompileType(compiler_.handle(), type, &ReadSourceChar), 0);
  gReadPointer = "type s_other from structure\r\nend type";
  EXPECT_EQ(CompilerCompileType(compiler_.handle(), type, &ReadSourceChar), 0);
  ASSERT_EQ(compiler_.lastErrors().size(), 1u);
  EXPECT_EQ(compiler_.lastErrors()[0].message, "The first line must name the structure s_line.");
  EXPECT_TRUE(compiler_.compileOpen());
  CompilerEnd(compiler_.handle());
  EXPECT_FALSE(compiler_.compileOpen());
}

TEST_F(RuntimeCalls, EmptyStructureGivesABlockAndEndedHandlesAreRefused) {
  ASSERT_EQ(SaveGlobal("s_empty", ""), 1);
  std::uint16_t group = RuntimeOpenEntryGroup(rt_, library_.c_str(), "s_empty", kRuntimeKindStructure);
  std::uint32_t count = 5;
  MemberRecord* members = RuntimeTypeMembers(rt_, RuntimeFindType(rt_, group, "s_empty"), &count);
  ASSERT_NE(members, nullptr);
  EXPECT_EQ(count, 0u);
  PoolFree(&pool_, members);
  RuntimeFree(rt_, &count);  // not a runtime block: left alone

  HostRuntime* ended = runtime_.openHandle(&pool_);
  EXPECT_EQ(runtime_.liveHandles(), 2);
  RuntimeRelease(ended);
  RuntimeRelease(ended);
  EXPECT_EQ(runtime_.liveHandles(), 1);
  EXPECT_EQ(RuntimeOpenEntryGroup(ended, library_.c_str(), "s_empty", kRuntimeKindStructure), kNoGroup);
  EXPECT_STREQ(RuntimeObjectName(ended, 1), "");
  EXPECT_EQ(RuntimeMemberSuffix(ended, nullptr), nullptr);
}

// A save dialog kept without a library: the editor still gets a group and
// type, the compile works, and only the write fails, so the user sees the
// save's own failure. Nothing reaches any file, not even one in the working
// directory.
TEST_F(RuntimeCalls, EntryGroupWithoutLibraryCompilesButIsNeverWritten) {
  testing::WorkingDirectory inside(dir_.path());
  for (const char* none : {"", static_cast<const char*>(nullptr)}) {
    std::uint16_t group = RuntimeCreateEntryGroup(rt_, none, "s_new", kRuntimeKindStructure);
    ASSERT_NE(group, kNoGroup);
    std::int32_t type = RuntimeDeclareType(rt_, group, "s_new", kRuntimeKindStructure, kDeclareTypeFlags);
    ASSERT_NE(type, 0);
    std::string text = "global type s_new from structure\r\n\tstring\t\tid\r\nend type";
    RuntimeStoreTypeSource(rt_, type, PoolText(text), static_cast<std::uint32_t>(text.size() + 1));
    EXPECT_EQ(CompilerCompileGroup(compiler_.handle(), group), 1);
    EXPECT_TRUE(compiler_.lastErrors().empty());
    EXPECT_EQ(RuntimeWriteGroup(rt_, group, none, "a comment"), 0);
    EXPECT_FALSE(runtime_.lastError().empty());
    CompilerEnd(compiler_.handle());
  }
  EXPECT_EQ(pool_.liveBlocks(), 0);
  EXPECT_TRUE(std::filesystem::is_empty(dir_.path()));

  // The same entry saved into a library that was chosen is written.
  EXPECT_EQ(SaveGlobal("s_new", "\tstring\t\tid\r\n"), 1);
  EXPECT_TRUE(Library::open(library_, false, nullptr)->entrySource("s_new").has_value());
}

// Two spellings of one library file are one library: one entry group, and the
// same owning objects. What the caller wrote is what the runtime hands back.
TEST_F(RuntimeCalls, LibraryNamesAreKeptAsWrittenAndRecognisedAcrossSpellings) {
  testing::WorkingDirectory inside(dir_.path());
  std::filesystem::create_directory(dir_.file("sub"));
  std::uint16_t group = RuntimeCreateEntryGroup(rt_, "app.lib", "s_a", kRuntimeKindStructure);
  EXPECT_EQ(RuntimeCreateEntryGroup(rt_, "./sub/../app.lib", "s_a", kRuntimeKindStructure), group);
  EXPECT_EQ(RuntimeCreateEntryGroup(rt_, library_.c_str(), "S_A", kRuntimeKindStructure), group);

  ASSERT_TRUE(runtime_.setCurrentLibrary("app.lib"));
  EXPECT_EQ(runtime_.currentLibrary(), "app.lib");
  std::int32_t window = runtime_.addObject("window", "w_main", std::nullopt);
  ASSERT_NE(window, 0);
  ASSERT_TRUE(runtime_.setCurrentLibrary("./app.lib"));
  EXPECT_EQ(runtime_.currentLibrary(), "./app.lib");
  EXPECT_EQ(runtime_.findObject("W_MAIN"), window);
  EXPECT_EQ(runtime_.addObject("window", "w_main", std::nullopt), window);  // found, not added twice
  ASSERT_TRUE(runtime_.setCurrentLibrary(library_));
  EXPECT_EQ(runtime_.currentLibrary(), library_);
  EXPECT_EQ(runtime_.findObject("w_main"), window);
  EXPECT_FALSE(runtime_.setCurrentLibrary(""));
}

}  // namespace
}  // namespace quill
