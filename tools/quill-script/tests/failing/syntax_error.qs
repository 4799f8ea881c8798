# Must fail: a quote that never closes.
create standalone
type "abc
