// The library kind of an owning object, which the local-type dialogs take.
#include <gtest/gtest.h>

#include "editor/persistence/open_structure.h"
#include "qst/host_runtime.h"

namespace {

TEST(OwnerKind, EachOwnerKindHasItsLibraryKindAndEverythingElseIs14) {
  EXPECT_EQ(OwnerKindOf(0x4062), 10);  // window
  EXPECT_EQ(OwnerKindOf(0x4059), 11);  // menu
  EXPECT_EQ(OwnerKindOf(0x408a), 12);  // user object
  EXPECT_EQ(OwnerKindOf(0x405b), 13);  // function
  EXPECT_EQ(OwnerKindOf(0x4061), 13);  // function, second kind
  EXPECT_EQ(OwnerKindOf(0x405a), 14);  // a structure owns nothing
  EXPECT_EQ(OwnerKindOf(0), 14);
  EXPECT_EQ(OwnerKindOf(0xFFFF), 14);
}

}  // namespace
