// Text routines of the localisation engine: decoding of quoted language-file values,
// cutting a text at a delimiter, and the language identifier of a file name.
#pragma once

#include <string>

// Turns a value as it stands in a language file ('it''s', 'a'#13#10'b', plain text) into
// the text it denotes. A malformed value gives the empty text; nothing is ever raised.
std::string DecodeQuotedString(const std::string& value);

// The part of text in front of the first occurrence of delimiter; the whole text when the
// delimiter does not occur or is empty.
std::string TextBefore(const std::string& delimiter, const std::string& text);

// The part of text behind the first occurrence of delimiter; the empty text when the
// delimiter does not occur or is empty.
std::string TextAfter(const std::string& delimiter, const std::string& text);

// The file name without folder (cut at the last "\" or ":") and without its last
// extension; the empty text for a name that has no extension.
std::string ExtractFileBaseName(const std::string& fileName);
