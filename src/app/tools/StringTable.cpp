// torvan-stringtable LANGUAGE OUT: writes the numbered string table of a
// language pack from the core's message texts, so that the program and the
// core show the same words. One "id=text" line per message, UTF-8.

#include <cstdio>
#include <string>
#include <string_view>

#include "core/files/AtomicFile.h"
#include "core/files/PathText.h"
#include "core/radio/MessageTexts.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: torvan-stringtable English|Chinese OUT\n");
    return 2;
  }
  const std::string_view language = argv[1];
  if (language != "English" && language != "Chinese") {
    std::fprintf(stderr, "torvan-stringtable: unknown language %s (English or Chinese)\n", argv[1]);
    return 2;
  }
  const auto lang = language == "Chinese" ? torvan::DisplayLanguage::Chinese : torvan::DisplayLanguage::English;
  std::string table;
  for (const torvan::MessageId id : torvan::kAllMessageIds) {
    table += std::to_string(static_cast<int>(id));
    table += '=';
    table += torvan::MessageText(id, lang);
    table += '\n';
  }
  const torvan::Status s = torvan::WriteFileAtomically(torvan::PathFromUtf8(argv[2]), table);
  if (!s.ok()) {
    std::fprintf(stderr, "torvan-stringtable: %s\n", s.error().c_str());
    return 1;
  }
  return 0;
}
