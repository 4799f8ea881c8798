# Typing a name into the entry row gives the variable a type and opens the
# next entry row at once; other cells of the entry row open nothing.
library app.lib
create standalone
answer open new
pump
expect grid
. . . E
end

# Row 1 gets "string"; more characters open no further row.
cell 1 1
type "qty"
expect field entryRow 2
expect field changed 1
expect field lastAction 6
expect rows 2
cell 1 2
expect grid
qty string . .
. . . E
end

# The type typed into row 1 is normalised when its cell is left.
type "Dec"
cell 2 3
expect grid
qty decimal . .
. . . E
end
cell 1 3
type "2"
cell 2 1
type "amount"
cell 3 1
expect grid
qty decimal 2 .
amount decimal 2 .
. . . E
end

# A type typed first into the entry row is kept, and no decimals come with it.
cell 3 2
type "INT"
expect rows 3
expect field autoAppendArmed 1
expect field entryRow 3
cell 3 1
type "n"
expect rows 4
expect field entryRow 4
cell 4 1
expect grid
qty decimal 2 .
amount decimal 2 .
n integer . .
. . . E
end

# Leaving a type cell that is not decimal clears its decimals.
cell 2 2
type "double"
cell 1 1
expect grid
qty decimal 2 .
amount double . .
n integer . .
. . . E
end
