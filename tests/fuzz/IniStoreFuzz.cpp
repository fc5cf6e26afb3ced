// CIniStore with any Program.ini: load, lookups, changes, write-back (with and
// without a numbered backup) into a scratch folder, then load what was written.
//
// Input: a flags byte, the file's bytes (length-prefixed), then operations.
// Promises checked:
//  - every load of an existing, readable file succeeds;
//  - a value just set reads back (cut at its comment marks, as every lookup);
//  - a write-back with backup copies the old file byte for byte;
//  - what was written loads again to the same lookups, and writing it once
//    more with one added key adds exactly that key's lines at the end, when
//    every change was to a value that a line can hold.

#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "FuzzSupport.h"
#include "core/config/IniStore.h"
#include "core/files/AtomicFile.h"
#include "core/files/InputFile.h"

namespace {

using torvan::CIniStore;
using torvan::fuzz::ByteReader;
using torvan::fuzz::Escaped;

constexpr std::size_t kMaxFileBytes = 4096;
constexpr std::size_t kMaxNameBytes = 24;
constexpr unsigned kMaxOperations = 16;
constexpr std::string_view kBlanks = " \t\r\n\v\f";
constexpr std::string_view kCommentStarts = ";/\\*";
// A section that the check adds after everything else.
constexpr std::string_view kMarkerSection = "torvan fuzz marker section";
constexpr std::string_view kMarkerLines = "[torvan fuzz marker section]\r\nk=1\r\n";

std::string CutAtComment(std::string_view value) {
  std::size_t cut = value.size();
  for (const std::string_view mark : {"//", "\t;", "/*"}) cut = std::min(cut, value.find(mark));
  return std::string(value.substr(0, cut));
}

bool Trimmed(std::string_view s) {
  return s.empty() || (kBlanks.find(s.front()) == std::string_view::npos && kBlanks.find(s.back()) == std::string_view::npos);
}

std::string FoldCase(std::string s) {
  for (char& c : s) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return s;
}

bool HasLineBreak(std::string_view s) { return s.find_first_of("\r\n") != std::string_view::npos; }

// Whether the line "key=value" in section `section` reads back as that key
// and value: the store writes what it is given, so a line break in a value or
// a key that reads as a comment cannot come back the same.
bool LineHolds(std::string_view section, std::string_view key, std::string_view value) {
  if (HasLineBreak(section) || HasLineBreak(key) || HasLineBreak(value)) return false;
  if (key.empty() || !Trimmed(key) || !Trimmed(value)) return false;
  if (key.find('=') != std::string_view::npos) return false;
  if (kCommentStarts.find(key.front()) != std::string_view::npos) return false;
  const bool looksLikeHeader = key.front() == '[' && (value.empty() ? key.back() : value.back()) == ']';
  return !looksLikeHeader;
}

torvan::fuzz::ScratchFolder& Folder() {
  static torvan::fuzz::ScratchFolder folder;
  return folder;
}

std::string ReadBack(const std::string& path) {
  const torvan::Result<std::string> text = torvan::ReadWholeFile(path);
  FUZZ_CHECK(text.ok(), text.error());
  return text.value();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ByteReader in(data, size);
  const std::uint8_t flags = in.Byte();
  const bool caseInsensitive = (flags & 1) != 0;
  const bool keepBackup = (flags & 2) != 0;
  const std::size_t fileBytes = in.Word() % (kMaxFileBytes + 1);
  const std::string content = in.Take(fileBytes);

  Folder().Empty();
  const std::string ini = Folder().file("Program.ini");
  FUZZ_CHECK(torvan::WriteFileAtomically(ini, std::string_view(content)).ok(), ini);

  CIniStore store;
  const torvan::IniOpenOptions options{.caseInsensitive = caseInsensitive, .keepBackup = keepBackup};
  const torvan::Status opened = store.OpenPath(ini, options);
  FUZZ_CHECK(opened.ok(), opened.error());

  // Lookups and changes; remember every name used, for the checks after the
  // reload.
  std::vector<std::pair<std::string, std::string>> names;
  bool allChangesHold = true;
  const unsigned operations = in.Below(kMaxOperations);
  for (unsigned i = 0; i < operations; ++i) {
    const bool set = in.Bit();
    std::string section = in.ShortText(kMaxNameBytes);
    std::string key = in.ShortText(kMaxNameBytes);
    if (set) {
      const std::string value = in.ShortText(kMaxNameBytes);
      store.SetValue(section, key, value);
      const std::string got = store.GetValue(section, key, "\x01none");
      FUZZ_CHECK(got == CutAtComment(value), "set \"" + Escaped(value) + "\", got \"" + Escaped(got) + "\"");
      if (!LineHolds(section, key, value)) allChangesHold = false;
    } else {
      (void)store.GetValue(section, key);
    }
    names.emplace_back(std::move(section), std::move(key));
  }
  names.emplace_back("Setup", "Language");

  std::vector<std::string> before;
  for (const auto& [section, key] : names) before.push_back(store.GetValue(section, key, "\x01none"));

  const bool dirty = store.IsDirty();
  const torvan::Result<std::filesystem::path> writeBack = store.WriteBack(keepBackup);
  FUZZ_CHECK(writeBack.ok(), writeBack.error());
  const std::string backup = writeBack.value().string();
  if (dirty && keepBackup) {
    FUZZ_CHECK(!backup.empty(), "a backup was asked for");
    FUZZ_CHECK(ReadBack(backup) == content, "the backup " + backup + " differs from the old file");
  } else {
    FUZZ_CHECK(backup.empty(), "no backup was asked for or nothing was written: " + backup);
  }
  const std::string written = ReadBack(ini);
  if (!dirty) FUZZ_CHECK(written == content, "a clean store rewrote its file");

  if (!allChangesHold) return 0;
  CIniStore again;
  const torvan::Status reopened = again.OpenPath(ini, {.caseInsensitive = caseInsensitive});
  FUZZ_CHECK(reopened.ok(), reopened.error());
  for (std::size_t i = 0; i < names.size(); ++i) {
    const std::string got = again.GetValue(names[i].first, names[i].second, "\x01none");
    // A change of letter case alone leaves a case-blind store clean: when
    // nothing was written, that change is gone after the reload.
    const bool same = dirty || !caseInsensitive ? got == before[i] : FoldCase(got) == FoldCase(before[i]);
    FUZZ_CHECK(same, "[" + Escaped(names[i].first) + "] " + Escaped(names[i].second) + ": \"" + Escaped(before[i]) +
                         "\" before the write-back, \"" + Escaped(got) + "\" after");
  }
  // Written again with one new section: the same text, then that section.
  // (Skipped when the store's own text was not written, or when the marker's
  // name could already be in the file.)
  if (!dirty) return 0;
  if (written.find(kMarkerSection) != std::string::npos || content.find(kMarkerSection) != std::string::npos) return 0;
  again.SetValue(kMarkerSection, "k", "1");
  const torvan::Result<std::filesystem::path> again2 = again.WriteBack(false);
  FUZZ_CHECK(again2.ok() && again2.value().empty(), again2.ok() ? again2.value().string() : again2.error());
  const std::string rewritten = ReadBack(ini);
  FUZZ_CHECK(rewritten == written + std::string(kMarkerLines),
             "first write-back:\n" + Escaped(written) + "\nsecond:\n" + Escaped(rewritten));
  return 0;
}
