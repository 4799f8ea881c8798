# Must fail: pumping runs the queued Open command, whose dialog finds no answer.
create standalone
pump
