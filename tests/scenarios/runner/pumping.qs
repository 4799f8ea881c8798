# Which steps pump posted messages. create queues the Open command and does
# not run it; neither do setup steps, answers, clipboard steps or checks.
create standalone
expect posted frame WM_COMMAND 2300 0
library app.lib
profile application DefLib "app.lib"
answer open new
clipboard "text from elsewhere"
expect clipboard "text from elsewhere"
expect rows 12
expect posted frame WM_COMMAND 2300 0

# pump runs it: the open dialog takes the queued answer (a file whose answers
# are left over fails).
pump
expect field firstOpen 0
expect open
