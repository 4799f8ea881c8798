# expect posted names the message by name or number, its parameters in decimal
# or hex; only what is still queued counts.
create standalone
expect posted frame WM_COMMAND 2300 0
expect posted frame 0x111 0x8FC 0
expect posted frame 273 2300 0x0
# The open runs before the next editor's message box, whose own loop would run it.
answer open new
pump

library app.lib
answer message ok
create standalone open=s_gone
expect message 4020 "s_gone"
expect posted frame WM_CLOSE 0 0
expect posted frame 16 0 0
expect posted frame 0x10 0 0
pump
expect closed
