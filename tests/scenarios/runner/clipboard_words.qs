# Another program's use of the clipboard, and the checks of what it holds.
expect clipboard none
clipboard "a\tinteger\n"
expect clipboard "a\tinteger\n"
clipboard none
expect clipboard none
clipboard "held"
clipboard busy
clipboard free
expect clipboard "held"
