# Answers are taken in the order they were queued, by whichever dialog comes
# next: here the open dialogs of two editors. Cancelling the first open
# dialog of an editor closes that editor.
answer open new
answer open cancel
create standalone
create standalone
pump
expect closed
expect field firstOpen 0
expect rows 1
