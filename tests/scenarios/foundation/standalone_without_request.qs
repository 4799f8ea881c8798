# A stand-alone editor made without a request: twelve empty rows, the untitled
# title on the frame, and the Open command queued for the frame (not yet run,
# because create does not pump).
create standalone
expect rows 12
expect grid
. . . .
. . . .
. . . .
. . . .
. . . .
. . . .
. . . .
. . . .
. . . .
. . . .
. . . .
. . . .
end
expect title "Structure - (Untitled)"
expect posted frame WM_COMMAND 2300 0
expect current 0 0

# The record's starting values.
expect field contextCode 1022
expect field callerKind 0
expect field changed 0
expect field firstOpen 1
expect field entryRow 1
expect field undoRow 1
expect field autoAppendArmed 1
expect field curRow 0
expect field curColumn 0
expect field lastAction 0
expect field cutRowList none
expect field libraryName none
expect field structureName none
expect field editorWindow editor
expect field gridWindow grid
expect field hostContext hostcontext
expect field pool pool
expect field notifyWindow none
expect field editMenu editmenu

# Menu 2000: no Return item, Insert Row with its mnemonic.
expect menu 2300 "&Open...\tCtrl+O" enabled
expect menu 1546 "&Insert Row" enabled
expect menu 1258 "Can't Undo\tCtrl+Z" grayed
expect commands 0 1450 2300 1452 0xFFFF 1258 1260 1262 1264 1266 0xFFFF 1546 1934 0xFFFF 2290
expect commands 16 1450 2300 1452 1258 1260 1262 1264 1266 1438 1546 1934 2290

# Accelerator table 2002 has no Ctrl+Shift+T (Return): the key does nothing.
answer open new
pump
key ctrl+shift+t
expect open
