# Must fail: an answer that no dialog takes.
answer open new
create standalone
pump
answer message yes
