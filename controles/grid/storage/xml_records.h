#pragma once
// The records of a record-oriented XML text read through the XML document: each child
// element of the document element is a record, and its fields are its attributes and child
// elements by name (with Nested, the fields inside a field too; else such a field's own
// text). Kept apart from the grid, whose names the XML nodes share.

#include "plataforma/base/ansi_string.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

using XmlField = std::pair<AnsiString, AnsiString>; // name, text
using XmlRecord = std::vector<XmlField>;

// EDOMParseError for a text that is not well-formed.
std::vector<XmlRecord> ReadXmlRecords(std::string_view Bytes, bool Nested);
