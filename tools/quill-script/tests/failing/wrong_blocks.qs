# Must fail: text another program put on the clipboard is one more global block.
create standalone
note blocks
clipboard "text"
expect blocks 0 0
