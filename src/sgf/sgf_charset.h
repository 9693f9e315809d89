// The character set of an SGF file's text (its CA property).
#pragma once

#include <string>

// True for the names of UTF-8 ("UTF-8", "utf8", any case).
bool IsUtf8Name(const std::string& charset);
// True when text is well-formed UTF-8 (plain ASCII is).
bool IsUtf8(const std::string& text);
// Converts text from charset to UTF-8; false, with text unchanged, when
// the charset is unknown or the text is not of that charset.
bool ConvertToUtf8(const std::string& charset, std::string& text);
