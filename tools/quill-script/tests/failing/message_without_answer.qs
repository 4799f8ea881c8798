# Must fail: the load's error message appears with no answer queued.
library missing.lib
create standalone open=s_missing
