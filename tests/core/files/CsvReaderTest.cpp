// Splitting comma-separated text into records.

#include "core/files/CsvReader.h"

#include <gtest/gtest.h>

namespace torvan {
namespace {

using Fields = std::vector<std::string>;

TEST(CsvReader, SplitsRecords) {
  const struct {
    const char* name;
    std::string text;
    std::vector<std::pair<int, Fields>> records;
  } cases[] = {
      {"plain", "a,b\nc,d\n", {{1, {"a", "b"}}, {2, {"c", "d"}}}},
      {"no final line end", "a,b", {{1, {"a", "b"}}}},
      {"CR LF", "a,b\r\nc,\r\n", {{1, {"a", "b"}}, {2, {"c", ""}}}},
      {"empty fields", ",,\n", {{1, {"", "", ""}}}},
      {"empty lines skipped", "\na\n\r\n\nb\n", {{2, {"a"}}, {5, {"b"}}}},
      {"byte order mark", "\xEF\xBB\xBF" "CH,x\n", {{1, {"CH", "x"}}}},
      {"quotes", "\"a,b\",\"say \"\"hi\"\"\",\"\"\n", {{1, {"a,b", "say \"hi\"", ""}}}},
      {"line break in quotes", "\"a\nb\",c\nd\n", {{1, {"a\nb", "c"}}, {3, {"d"}}}},
      {"UTF-8", "\xE6\x97\xA0,\xE9\xAB\x98\n", {{1, {"\xE6\x97\xA0", "\xE9\xAB\x98"}}}},
  };
  for (const auto& c : cases) {
    std::vector<CsvRecord> out;
    const Status s = ReadCsvRecords(c.text, out, 100);
    ASSERT_TRUE(s.ok()) << c.name << ": " << s.error();
    ASSERT_EQ(out.size(), c.records.size()) << c.name;
    for (std::size_t i = 0; i < out.size(); ++i) {
      EXPECT_EQ(out[i].line, c.records[i].first) << c.name;
      EXPECT_EQ(out[i].fields, c.records[i].second) << c.name;
    }
  }
}

TEST(CsvReader, RefusesDamagedTextNamingTheLine) {
  const struct {
    std::string text;
    const char* error;
  } cases[] = {
      {"a\nb,\"c\n", "line 2: a quoted field is not closed"},
      {"a\nb,c\"d\n", "line 2: a quote inside a field that does not start with one"},
      {"a\n\"b\"c\n", "line 2: text after the closing quote of a field"},
      {"a\rb\n", "line 1: a carriage return without a line feed"},
      {"a\n\"x\ny\nz\",\xFF\n", "line 4: the text is not UTF-8 (byte 11)"},
      {"\xC0\x80\n", "line 1: the text is not UTF-8"},          // overlong
      {"\xED\xA0\x80\n", "line 1: the text is not UTF-8"},      // surrogate
      {"ok\n\xE6\x97\n", "line 2: the text is not UTF-8"},      // cut short
      {"a\n" + std::string(101, 'x') + "\n", "line 2: the line is longer than 100 bytes"},
      {"a\n\"" + std::string(101, 'x') + "\"\n", "line 2: the line is longer than 100 bytes"},
  };
  for (const auto& c : cases) {
    std::vector<CsvRecord> out;
    const Status s = ReadCsvRecords(c.text, out, 100);
    ASSERT_FALSE(s.ok()) << c.error;
    EXPECT_EQ(s.error().rfind(c.error, 0), 0u) << s.error();
  }
}

TEST(CsvReader, QuotesFieldsThatNeedIt) {
  const std::pair<const char*, const char*> cases[] = {
      {"145.50000", "145.50000"}, {"", ""}, {"a,b", "\"a,b\""}, {"say \"hi\"", "\"say \"\"hi\"\"\""},
      {"a\nb", "\"a\nb\""},
  };
  for (auto [in, out] : cases) {
    EXPECT_EQ(CsvField(in), out);
    std::vector<CsvRecord> records;
    ASSERT_TRUE(ReadCsvRecords(std::string(CsvField(in)) + ",x\n", records, 100).ok());
    EXPECT_EQ(records.at(0).fields, (Fields{in, "x"}));
  }
}

}  // namespace
}  // namespace torvan
