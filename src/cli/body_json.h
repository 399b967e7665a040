// A template body as JSON (UTF-8) and back: what `dravo-cli dump` prints and `build` reads.
//
// The document holds the body as its file stores it: "version", "paragraphs" (7 items),
// "articles" (each {"heading", "clauses"}), "variables" ({"heading", "items"}) and, for the
// current format only, "parties", "fieldTables" (4 lists) and "layout". An item is an object
// whose keys are the record's field names ("m_nType" ... "m_dFirstIndent"). A double that JSON
// cannot carry exactly (negative zero, infinities, NaN) is written as the string "0x" + its 16
// hex digits of IEEE bits.
//
// Reading is strict about names and types (an unknown key or a wrong type is an error naming
// its place) and lenient about absence: a missing field is blank, missing articles or variables
// are none, and a current-format document without "fieldTables" takes the default tables. The
// derived "parties" and "layout" are rebuilt on every store, so they may be left out.
#pragma once

#include "core/body.h"

#include <QByteArray>
#include <cstdio>
#include <string>

namespace dravo::cli {

QByteArray BodyToJson(const CBody &body);

// The same bytes as BodyToJson, written to out as they are made: the texts go out one by one
// and are never held in the document, so a large template costs little more memory than its
// body. False when out reports a write error.
bool WriteBodyJson(const CBody &body, std::FILE *out);

// On failure returns false with a UTF-8 message and leaves body as it was.
bool BodyFromJson(const QByteArray &json, CBody &body, std::string &error);

} // namespace dravo::cli
