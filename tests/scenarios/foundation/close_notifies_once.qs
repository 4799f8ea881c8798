# An allowed close tells the notify window once; the destruction that follows
# does not tell it again.
answer open new
create standalone
notify
expect field notifyWindow notify
close
expect closed
expect nomessage
expect notified 1
