// Filtering the Type cell's choices by what was typed.
#include <gtest/gtest.h>

#include "quill/compiler.h"
#include "quill/type_choices.h"

namespace quill {
namespace {

using Kind = TypeChoice::Kind;

std::vector<TypeChoice> Sample() {
  return {{"character", "char", Kind::Language}, {"checkbox", "", Kind::Language}, {"decimal", "dec", Kind::Language},
          {"integer", "int", Kind::Language},    {"string", "", Kind::Language},   {"s_Order", "", Kind::Structure},
          {"s_line", "", Kind::LocalStructure}};
}

std::string Names(const std::vector<TypeChoice>& choices) {
  std::string names;
  for (const TypeChoice& c : choices) names += (names.empty() ? "" : ",") + c.name;
  return names;
}

TEST(TypeChoices, FilterByNameOrAbbreviationIgnoringCase) {
  const struct {
    const char* typed;
    const char* expected;
  } cases[] = {
      {"", "character,checkbox,decimal,integer,string,s_Order,s_line"},
      {"ch", "character,checkbox"},
      {"CHAR", "character"},  // the abbreviation, in any case
      {"int", "integer"},
      {"inte", "integer"},
      {"S_o", "s_Order"},
      {"s", "string,s_Order,s_line"},  // order kept: language types first
      {"x", ""},
      {"integers", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(Names(FilterTypeChoices(Sample(), c.typed)), c.expected) << c.typed;
}

TEST(TypeChoices, LanguageTypesAreSortedAndKnown) {
  const std::vector<std::string> names = LanguageTypeNames();
  ASSERT_FALSE(names.empty());
  EXPECT_TRUE(std::is_sorted(names.begin(), names.end()));
  for (const std::string& name : names) EXPECT_TRUE(IsLanguageTypeName(name)) << name;
  EXPECT_FALSE(IsLanguageTypeName("int"));  // the short forms are the editor's, not the language's
}

}  // namespace
}  // namespace quill
