# A grid of one row cannot be saved, even when that row holds a variable:
# the rule counts rows. Pasting a name as text into the entry row's name cell
# opens no row below it.
library app.lib
create standalone
answer open new
pump
cell 1 2
type "integer"
cell 1 1
clipboard "qty"
command paste
expect field lastAction 9
expect rows 1
expect field changed 1
answer message ok
command save
expect message 4019
expect field changed 1
expect field untitled 1
expect grid
qty integer . E
end
expect noentry qty
