# HM_SETNOTIFY with 0: the editor tells nobody when it closes.
answer open new
create standalone
notify
notify 0
expect field notifyWindow none
close
expect closed
expect notified 0
