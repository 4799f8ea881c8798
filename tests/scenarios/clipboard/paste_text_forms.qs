# Pasted text is read word by word: lines end at LF, blanks stand for tabs,
# the decimal word takes "{N}", and names end at the first byte that is no
# word character.
library app.lib
create standalone
answer open new
pump
expect grid
. . . E
end

# No cell is current: the rows go above the entry row, never into row 0.
clipboard "\tinteger\t\tcount\r\n"
command paste
expect grid
count integer . .
. . . E
end
expect field lastAction 15
expect field undoRow 1
expect field pastedCount 1
expect field entryRow 2
expect field changed 1

# LF-only lines, blanks for tabs, and a last line without its line feed.
clipboard "\tinteger count2\ninteger\t\tcount3\n\tinteger\t\tlast"
command paste
expect field pastedCount 3
expect field entryRow 5

# A line of TAB and CR alone, and a line with a type word only.
clipboard "\t\r\n\tstring\r\n\tlong\t\tafter\r\n"
command paste
expect field pastedCount 3

# The decimal forms.
clipboard "\tdecimal {2}\tamount\r\n\tdecimal {2\tnobrace\r\n\tdecimal plain\r\n\tDecimal {2} upper\r\n\tdecimal {4}x\tsuffix\r\n"
command paste
expect field pastedCount 5

# Names keep every byte the compiler accepts in them; a byte from 0x80 up ends one.
clipboard "\tinteger\t\tbad-name\r\n\tinteger\t\tcost$\r\n\tinteger\t\tno#1\r\n\tinteger\t\tpct%\r\n\tinteger\t\tcaf\xE9s\r\n"
command paste
expect field pastedCount 5
expect grid
count integer . .
count2 integer . .
count3 integer . .
last integer . .
. . . .
. string . .
after long . .
amount decimal 2 .
nobrace decimal 0 .
plain decimal 0 .
{2} Decimal . .
suffix decimal 4 .
bad-name integer . .
cost$ integer . .
no#1 integer . .
pct% integer . .
caf integer . .
. . . E
end
expect field entryRow 18
