#pragma once
// Reading comma-separated text (RFC 4180): fields separated by commas,
// records ending in "\n" or "\r\n", a field in double quotes may hold commas,
// line breaks and doubled quotes (""). Strict about everything else, so that
// a damaged file gives a clear error instead of shifted columns.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/files/Status.h"

namespace torvan {

struct CsvRecord {
  int line = 0;  // the line the record starts on, 1 first
  std::vector<std::string> fields;
};

// Splits `text` into records. A UTF-8 byte order mark at the start is
// skipped; empty lines are skipped. Errors name the line: text that is not
// UTF-8, a quote inside an unquoted field, text after a closing quote, a
// quoted field that is never closed, a carriage return without line feed, a
// record longer than `maxRecordBytes`. On error `out` holds the records read
// before it.
// `separator` is the character between fields: "," as the format says, or
// ";" as some spreadsheets write it.
Status ReadCsvRecords(std::string_view text, std::vector<CsvRecord>& out, std::size_t maxRecordBytes,
                      char separator = ',');

// One field for a CSV line: quoted (with doubled quotes) when it holds a
// comma, a quote or a line break; otherwise as it is.
std::string CsvField(std::string_view text);

// The byte offset of the first byte that is not part of well-formed UTF-8,
// or npos when the whole text is UTF-8.
std::size_t FindInvalidUtf8(std::string_view text);

}  // namespace torvan
