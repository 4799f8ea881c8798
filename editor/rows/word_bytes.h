// Which bytes make up a word in the two texts the module splits into words:
// the grid's pointer text and pasted row text. Every other byte separates words.
#pragma once

// The grid's pointer text names a column's object and a row number; its words
// run from "0" to "}".
constexpr bool IsTokenByte(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return byte >= 0x30 && byte <= 0x7D;
}

// A pasted word also takes the four punctuation bytes the compiler accepts in a
// name ("#", "$", "%", "-"), so that every name Copy writes reads back whole.
// Bytes from 0x80 up still end a word.
constexpr bool IsNameByte(char c) { return IsTokenByte(c) || (c >= '#' && c <= '%') || c == '-'; }
