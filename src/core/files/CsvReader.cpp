#include "core/files/CsvReader.h"

#include <algorithm>

namespace torvan {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

std::string LinePrefix(int line) { return "line " + std::to_string(line) + ": "; }

}  // namespace

std::size_t FindInvalidUtf8(std::string_view text) {
  const auto* s = reinterpret_cast<const unsigned char*>(text.data());
  const std::size_t n = text.size();
  std::size_t i = 0;
  while (i < n) {
    const unsigned char c = s[i];
    if (c < 0x80) {
      ++i;
      continue;
    }
    std::size_t len = 0;
    unsigned char lo = 0x80, hi = 0xBF;  // allowed range of the second byte
    if (c >= 0xC2 && c <= 0xDF) {
      len = 2;
    } else if (c >= 0xE0 && c <= 0xEF) {
      len = 3;
      if (c == 0xE0) lo = 0xA0;  // no overlong forms
      if (c == 0xED) hi = 0x9F;  // no surrogates
    } else if (c >= 0xF0 && c <= 0xF4) {
      len = 4;
      if (c == 0xF0) lo = 0x90;
      if (c == 0xF4) hi = 0x8F;  // nothing above U+10FFFF
    } else {
      return i;
    }
    if (i + len > n) return i;
    if (s[i + 1] < lo || s[i + 1] > hi) return i;
    for (std::size_t k = 2; k < len; ++k) {
      if (s[i + k] < 0x80 || s[i + k] > 0xBF) return i;
    }
    i += len;
  }
  return std::string_view::npos;
}

Status ReadCsvRecords(std::string_view text, std::vector<CsvRecord>& out, std::size_t maxRecordBytes,
                      char separator) {
  if (text.substr(0, kUtf8Bom.size()) == kUtf8Bom) text.remove_prefix(kUtf8Bom.size());
  if (const std::size_t bad = FindInvalidUtf8(text); bad != std::string_view::npos) {
    const int line = 1 + static_cast<int>(std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(bad), '\n'));
    return Status::Error(LinePrefix(line) + "the text is not UTF-8 (byte " + std::to_string(bad + 1) + ")");
  }

  std::size_t i = 0;
  const std::size_t n = text.size();
  int line = 1;
  while (i < n) {
    const std::size_t recordStart = i;
    const int recordLine = line;
    // An empty line is no record.
    if (text[i] == '\n' || (text[i] == '\r' && i + 1 < n && text[i + 1] == '\n')) {
      i += text[i] == '\n' ? 1 : 2;
      ++line;
      continue;
    }
    CsvRecord rec;
    rec.line = recordLine;
    bool endOfRecord = false;
    while (!endOfRecord) {
      std::string field;
      if (i < n && text[i] == '"') {
        const int quoteLine = line;
        ++i;
        for (;;) {
          if (i >= n) return Status::Error(LinePrefix(quoteLine) + "a quoted field is not closed");
          const char c = text[i++];
          if (c == '"') {
            if (i < n && text[i] == '"') {
              field += '"';
              ++i;
              continue;
            }
            break;
          }
          if (c == '\n') ++line;
          field += c;
          if (i - recordStart > maxRecordBytes) break;
        }
      } else {
        while (i < n && text[i] != separator && text[i] != '\n' && text[i] != '\r') {
          if (text[i] == '"') {
            return Status::Error(LinePrefix(line) + "a quote inside a field that does not start with one");
          }
          field += text[i++];
          if (i - recordStart > maxRecordBytes) break;
        }
      }
      if (i - recordStart > maxRecordBytes) {
        return Status::Error(LinePrefix(recordLine) + "the line is longer than " + std::to_string(maxRecordBytes) +
                             " bytes");
      }
      rec.fields.push_back(std::move(field));
      if (i >= n) {
        endOfRecord = true;
      } else if (text[i] == separator) {
        ++i;
      } else if (text[i] == '\n') {
        ++i;
        ++line;
        endOfRecord = true;
      } else if (text[i] == '\r') {
        if (i + 1 >= n || text[i + 1] != '\n') {
          return Status::Error(LinePrefix(line) + "a carriage return without a line feed");
        }
        i += 2;
        ++line;
        endOfRecord = true;
      } else {
        return Status::Error(LinePrefix(line) + "text after the closing quote of a field");
      }
    }
    out.push_back(std::move(rec));
  }
  return Status::Ok();
}

std::string CsvField(std::string_view text) {
  if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  quoted += '"';
  return quoted;
}

}  // namespace torvan
