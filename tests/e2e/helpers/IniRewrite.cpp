// torvan-ini-rewrite PATH [--backup]: what the desktop program does to
// Program.ini when the user changes the language, as a small program that a
// test can kill: opens PATH as the program opens Program.ini, switches
// Language in section Setup to the other language and writes the file back
// (with a numbered backup when asked). Exit status 0 when written, 1 if not.

#include <cstdio>
#include <string>

#include "core/config/IniStore.h"

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3 || (argc == 3 && std::string(argv[2]) != "--backup")) {
    std::fprintf(stderr, "usage: torvan-ini-rewrite PATH [--backup]\n");
    return 2;
  }
  const bool backup = argc == 3;
  torvan::CIniStore store;
  if (const torvan::Status s = store.OpenPath(argv[1], {.keepBackup = backup}); !s) {
    std::fprintf(stderr, "torvan-ini-rewrite: %s\n", s.error().c_str());
    return 1;
  }
  const std::string now = store.GetValue("Setup", "Language");
  store.SetValue("Setup", "Language", now == "Chinese" ? "English" : "Chinese");
  if (const auto written = store.WriteBack(backup); !written) {
    std::fprintf(stderr, "torvan-ini-rewrite: %s\n", written.error().c_str());
    return 1;
  }
  return 0;
}
