// The two string splitters shared by the data-file reader, the GUI loader,
// the level loader and the play log, and the blank trimming they all use.
#pragma once

#include <string>
#include <vector>

// Splits text at every occurrence of separator.
// A piece is kept even when empty, except the last one, which is kept only
// when it is not empty: "a::b::" -> [a, b], "::a" -> ["", a], "" -> [].
// With a non-empty openQuote, text between openQuote and closeQuote is not
// split, and the quote characters themselves are dropped (only when both
// quote strings are non-empty does quoting protect separators). Quotes are
// compared with whole characters (UTF-8 code points).
// An empty separator never matches, so the text comes back as one piece.
std::vector<std::string> splitString(const std::string& text, const std::string& separator,
                                     const std::string& openQuote = "",
                                     const std::string& closeQuote = "");

// As splitString, but a double-quote character toggles a string flag first,
// and no separator is recognised while it is on. The double quotes stay in
// the pieces: ` "x, y", "z"` split at "," gives [` "x, y"`, ` "z"`].
std::vector<std::string> splitValueList(const std::string& text, const std::string& separator,
                                        const std::string& openQuote = "",
                                        const std::string& closeQuote = "");

// Removes every leading and trailing character with a code of 32 or less
// (blanks, tabs, carriage returns, other control characters).
std::string trimBlanks(const std::string& text);
