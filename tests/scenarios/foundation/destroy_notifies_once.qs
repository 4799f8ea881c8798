# An editor destroyed without an allowed close request tells the notify window
# once, from its release.
answer open new
create standalone
notify
destroy
expect closed
expect notified 1
