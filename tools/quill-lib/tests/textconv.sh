# quill-lib textconv: the whole library as stable text for git's diff and log.
source "$(dirname "$0")/common.sh"
sample_folder src
# A second object sorts before w_main; its local structure has LF line ends
# and a line end after "end type"; a comment holds an escape sequence.
mkdir -p src/m_app
printf 'type s_item from structure\n\tstring caption\nend type\n' >src/m_app/s_item.srs
printf 'global\ts_point\tA point\\x1b[31m\nobject\t12\twindow\tw_main\ts_loc\nobject\t40\tmenu\tm_app\ts_item\n' \
  >src/quill-lib.manifest
"$QUILL_LIB" import src app.lib >/dev/null || fail "the library could not be built"
expect 0 'global s_line
global type s_line from structure\r
	s_point		a\r
	s_point		b\r
	decimal {2}	len\r
end type
\ no line end

global s_note
global type s_note from structure\r
	string		text\r
end type
\ no line end

global s_point
comment A point\x1b[31m
global type s_point from structure\r
	integer		x\r
	integer		y\r
end type
\ no line end

object m_app menu 40
local m_app/s_item
type s_item from structure
	string caption
end type

object w_main window 12
local w_main/s_loc
type s_loc from structure\r
	s_line		l\r
	boolean		shown\r
end type
\ no line end' "$QUILL_LIB" textconv app.lib
# The side of a diff that has no library yet is an empty file.
: >empty.lib
expect 0 "" "$QUILL_LIB" textconv empty.lib
expect_error 4 "missing.lib" "$QUILL_LIB" textconv missing.lib
finish
