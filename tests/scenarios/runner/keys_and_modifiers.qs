# key goes through the accelerator table: Ctrl+W is Close, and an unchanged
# structure closes without a question.
answer open new
create standalone
pump
key ctrl+w
expect nomessage
expect closed

# The modifiers of press and click are down while the editor handles them:
# a Shift click in the row-indicator column selects the range.
answer open new
create standalone
pump
cell 1 var_name
type "a"
cell 2 var_name
type "b"
cell 3 var_name
type "c"
cell 4 var_name
click var_row 1
click var_row 3 shift
expect field anchorRow 1
expect grid
a string . S
b string . S
c string . S
. . . E
end
