# A grid of exactly one row is refused even when that row holds a variable:
# text pasted into the entry row's cells makes it one without opening a new row.
library app.lib
create standalone
answer open new
pump
clipboard "qty"
cell 1 1
command paste
expect field lastAction 9
cell 1 2
type "integer"
cell 1 1
expect rows 1
expect field changed 1
expect grid
qty integer . E
end

answer message ok
command save
expect message 4019
expect field changed 1
expect field untitled 1
expect title "Structure - (Untitled)"
expect noentry qty

# Save As asks no name either: the rule comes first.
answer message ok
command saveas
expect message 4019
expect field untitled 1

# A close answered Yes meets the same rule and stays open.
answer message yes
answer message ok
close
expect message 4019
expect open
answer message no
close
expect closed
