# The end of the session is a close request like WM_CLOSE.
answer open new
create standalone
notify
endsession
expect closed
expect notified 1
