// The scenario language's words, numbers, keys and the step list.
#include <gtest/gtest.h>

#include "key_names.h"
#include "scenario_runner.h"
#include "script_words.h"

namespace script {
namespace {

std::vector<Word> Split(std::string_view line) {
  std::vector<Word> words;
  std::string error;
  EXPECT_TRUE(SplitWords(line, &words, &error)) << error;
  return words;
}

TEST(ScriptWords, QuotesHoldBlanksAndEscapes) {
  std::vector<Word> words = Split("  type \"a b\\t\\\"c\\\"\"   \"\\xAE\\\\\" \"\"");
  ASSERT_EQ(words.size(), 4u);
  EXPECT_EQ(words[0].text, "type");
  EXPECT_FALSE(words[0].quoted);
  EXPECT_EQ(words[1].text, "a b\t\"c\"");
  EXPECT_TRUE(words[1].quoted);
  EXPECT_EQ(words[2].text, "\xAE\\");
  EXPECT_EQ(words[3].text, "");
  EXPECT_TRUE(words[3].quoted);
}

TEST(ScriptWords, OptionsMayQuoteTheirValue) {
  std::vector<Word> words = Split("answer save s_a library=app.lib comment=\"two words\"");
  ASSERT_EQ(words.size(), 5u);
  EXPECT_EQ(OptionValue(words[3], "library"), "app.lib");
  EXPECT_EQ(OptionValue(words[4], "comment"), "two words");
  EXPECT_FALSE(words[4].quoted);
  EXPECT_EQ(OptionValue(words[4], "library"), std::nullopt);
  EXPECT_EQ(OptionValue(Word{"library=x", true}, "library"), std::nullopt);
}

TEST(ScriptWords, RejectsUnterminatedQuotesAndUnknownEscapes) {
  std::vector<Word> words;
  std::string error;
  EXPECT_FALSE(SplitWords("type \"abc", &words, &error));
  EXPECT_FALSE(SplitWords("type \"a\\qb\"", &words, &error));
  EXPECT_FALSE(SplitWords("type \"\\x4\"", &words, &error));
  EXPECT_FALSE(SplitWords("type \"\\xZZ\"", &words, &error));
  EXPECT_FALSE(SplitWords("type \"abc\\", &words, &error));
}

TEST(ScriptWords, QuoteReadsBackAsTheSameBytes) {
  std::string all;
  for (int c = 1; c < 256; ++c) all += static_cast<char>(c);
  std::vector<Word> words = Split(Quote(all));
  ASSERT_EQ(words.size(), 1u);
  EXPECT_EQ(words[0].text, all);
}

TEST(ScriptWords, NumbersAreDecimalOrHex) {
  EXPECT_EQ(ParseNumber("12"), 12);
  EXPECT_EQ(ParseNumber("0x00012345"), 0x12345);
  EXPECT_EQ(ParseNumber("0XFFFF"), 0xFFFF);
  EXPECT_EQ(ParseNumber("-3"), -3);
  EXPECT_EQ(ParseNumber(""), std::nullopt);
  EXPECT_EQ(ParseNumber("0x"), std::nullopt);
  EXPECT_EQ(ParseNumber("12a"), std::nullopt);
  EXPECT_EQ(ParseNumber("1.5"), std::nullopt);
  EXPECT_EQ(ParseNumber("99999999999999999999"), std::nullopt);
}

TEST(KeyNames, ModifiersAndKeys) {
  std::optional<KeyPress> z = ParseKeys("ctrl+z");
  ASSERT_TRUE(z);
  EXPECT_EQ(z->vkey, 'Z');
  EXPECT_TRUE(z->ctrl);
  EXPECT_FALSE(z->shift);
  std::optional<KeyPress> t = ParseKeys("Ctrl+Shift+T");
  ASSERT_TRUE(t);
  EXPECT_EQ(t->vkey, 'T');
  EXPECT_TRUE(t->ctrl && t->shift && !t->alt);
  std::optional<KeyPress> del = ParseKeys("del");
  ASSERT_TRUE(del);
  EXPECT_EQ(del->vkey, VK_DELETE);
  EXPECT_FALSE(del->ctrl || del->shift || del->alt);
  EXPECT_EQ(ParseKeys("f12")->vkey, 0x7B);
  EXPECT_EQ(ParseKeys("ctrl+"), std::nullopt);
  EXPECT_EQ(ParseKeys("hyper+z"), std::nullopt);
  EXPECT_EQ(ParseKeys("f13"), std::nullopt);
  EXPECT_EQ(ParseKeys("zz"), std::nullopt);
}

TEST(ParseScenario, SkipsCommentsAndCollectsGridRows) {
  std::vector<Step> steps;
  std::string failure;
  ASSERT_TRUE(ParseScenario("t.qs",
                            "# a comment\r\n"
                            "\n"
                            "create standalone\r\n"
                            "expect grid\n"
                            "  # rows follow\n"
                            "a string . .\n"
                            ". . . E\n"
                            "end\n"
                            "expect rows 2\n",
                            &steps, &failure))
      << failure;
  ASSERT_EQ(steps.size(), 3u);
  EXPECT_EQ(steps[0].line.number, 3);
  EXPECT_EQ(steps[0].line.words.size(), 2u);
  ASSERT_EQ(steps[1].block.size(), 2u);
  EXPECT_EQ(steps[1].block[1].number, 7);
  EXPECT_EQ(steps[1].blockEndLine, 8);
  EXPECT_EQ(steps[2].line.number, 9);
}

TEST(ParseScenario, ReportsTheLineOfASyntaxError) {
  std::vector<Step> steps;
  std::string failure;
  EXPECT_FALSE(ParseScenario("t.qs", "create standalone\ntype \"open\n", &steps, &failure));
  EXPECT_EQ(failure.rfind("t.qs:2: expected a closing quote, got ", 0), 0u) << failure;
  steps.clear();
  EXPECT_FALSE(ParseScenario("t.qs", "expect grid\na b . .\n", &steps, &failure));
  EXPECT_EQ(failure, "t.qs:1: expected the rows of expect grid to close with end, got the end of the file");
}

}  // namespace
}  // namespace script
