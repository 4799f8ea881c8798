// The platform's wsprintfA.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/win.h"

namespace {

std::string format(const char* fmt, ...) {
  char buffer[1100];
  std::va_list args;
  va_start(args, fmt);
  const int n = wvsprintfA(buffer, fmt, args);
  va_end(args);
  EXPECT_EQ(n, static_cast<int>(std::string(buffer).size()));
  return buffer;
}

TEST(Wsprintf, SignedAndUnsignedIntegers) {
  EXPECT_EQ(format("%d|%i|%u", -5, 12, 7u), "-5|12|7");
  EXPECT_EQ(format("%u", -1), "4294967295");
  EXPECT_EQ(format("%ld|%li|%lu", -70000L, 3L, 4000000000UL), "-70000|3|4000000000");
  EXPECT_EQ(format("%hd|%hu", 70000, -1), "4464|65535");
}

TEST(Wsprintf, HexWithPrefixAndCase) {
  EXPECT_EQ(format("%x|%X|%lx|%lX", 255, 255, 0xDEADBEEFUL, 0xABCUL), "ff|FF|deadbeef|ABC");
  EXPECT_EQ(format("%#x|%#X", 255, 171), "0xff|0XAB");
  EXPECT_EQ(format("%#06x", 15), "0x000f");
}

TEST(Wsprintf, WidthFlagsAndPrecision) {
  EXPECT_EQ(format("[%5d]", 42), "[   42]");
  EXPECT_EQ(format("[%-5d]", 42), "[42   ]");
  EXPECT_EQ(format("[%05d]", -42), "[-0042]");
  EXPECT_EQ(format("[%.3d]", 7), "[007]");
  EXPECT_EQ(format("[%3c]", 'A'), "[  A]");
  EXPECT_EQ(format("[%-4s]", "ab"), "[ab  ]");
  EXPECT_EQ(format("[%.2s]", "abcdef"), "[ab]");
  EXPECT_EQ(format("[%6.3s]", "abcdef"), "[   abc]");
}

TEST(Wsprintf, StringsPercentAndUnknownConversions) {
  EXPECT_EQ(format("%s and %s", "this", static_cast<const char*>(nullptr)), "this and (null)");
  EXPECT_EQ(format("100%%"), "100%");
  // There is no '+' flag: the letter is written and takes no argument.
  EXPECT_EQ(format("%+d|%d", 7), "+d|7");
  EXPECT_EQ(format("\t%s {%i}\t%s\r\n", "decimal", 2, "amount"), "\tdecimal {2}\tamount\r\n");
}

TEST(Wsprintf, OutputStopsAt1024Characters) {
  const std::string longText(2000, 'x');
  char buffer[1100];
  std::memset(buffer, '#', sizeof buffer);
  const int n = wsprintfA(buffer, "ab%s", longText.c_str());
  EXPECT_EQ(n, 1024);
  EXPECT_EQ(buffer[1024], '\0');
  EXPECT_EQ(buffer[1025], '#');  // nothing written past the terminator
  EXPECT_EQ(std::string(buffer, 2), "ab");

  EXPECT_EQ(wsprintfA(buffer, "%2000d", 1), 1024);
  EXPECT_EQ(buffer[1023], ' ');  // the number itself was cut off
}

TEST(Wsprintf, NullArgumentsAreHarmless) {
  char buffer[16] = "keep";
  EXPECT_EQ(wsprintfA(nullptr, "%d", 1), 0);
  EXPECT_EQ(wsprintfA(buffer, nullptr), 0);
  EXPECT_STREQ(buffer, "");
}

TEST(RuntimeStrings, CaseInsensitiveComparisonAndLowering) {
  EXPECT_EQ(_stricmp("Decimal", "decimal"), 0);
  EXPECT_LT(_stricmp("abc", "ABD"), 0);
  EXPECT_GT(_stricmp("b", "A"), 0);
  // Both sides are lowered before comparing: '_' (0x5F) sorts before 'a' although it comes after 'A'.
  EXPECT_LT(_stricmp("_", "a"), 0);
  EXPECT_EQ(lstrcmpiA("HELLO", "hello"), 0);
  EXPECT_LT(lstrcmpiA(nullptr, "a"), 0);
  EXPECT_EQ(lstrlenA("four"), 4);
  EXPECT_EQ(lstrlenA(nullptr), 0);

  char text[] = "MiXeD 123 \xC4";
  EXPECT_EQ(_strlwr(text), text);
  EXPECT_STREQ(text, "mixed 123 \xC4");  // bytes above ASCII stay as they are
}

}  // namespace
