// torvan-cli: the command line of Torvan. Each verb is one Cmd*.cpp file.

#include <algorithm>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#include <shellapi.h>

#include <cstdio>

#include "core/files/PathText.h"
#endif

#include "cli/CliCommand.h"
#include "core/product/ProgramVersion.h"

namespace {

// The arguments after the program's name, as UTF-8. Windows hands a program
// its arguments in the ANSI code page, which cannot hold every file name (a
// Chinese one on a Western system): they are taken from the wide command line.
std::vector<std::string> Arguments(int argc, char** argv) {
#ifdef _WIN32
  int count = 0;
  if (LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count)) {
    std::vector<std::string> args;
    for (int i = 1; i < count; ++i) args.push_back(torvan::Utf8FromWide(wide[i]));
    LocalFree(wide);
    return args;
  }
#endif
  return std::vector<std::string>(argv + 1, argv + argc);
}

// The commands that need Qt: the system's list of serial ports and the PDF
// printer. A build without Qt has none of them, and says so when one is asked
// for instead of calling it unknown.
constexpr std::string_view kQtCommands[] = {"ports", "print"};

bool IsLeftOutQtCommand(const std::string& verb) {
  return std::find(std::begin(kQtCommands), std::end(kQtCommands), verb) != std::end(kQtCommands);
}

void PrintHelp(std::ostream& out) {
  out << "usage: torvan-cli <command> [arguments]\n"
         "       torvan-cli --help | --version\n\ncommands:\n";
  for (const auto& c : torvan::cli::Commands()) {
    out << "  " << c.usage << "\n      " << c.summary << "\n";
  }
  out << "\nExit status: 0 success, 1 failure (one line on stderr says what failed), 2 usage error;\n"
         "diff: 0 equal, 1 different, 2 trouble.\n";
}

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
  SetConsoleOutputCP(CP_UTF8);  // messages name files in UTF-8
  // Standard output carries what a file gets (an image, a channel list, a
  // report), byte for byte: the C runtime's text mode would add CR before LF.
  _setmode(_fileno(stdout), _O_BINARY);
#endif
  std::vector<std::string> args = Arguments(argc, argv);
  if (args.empty()) {
    PrintHelp(std::cerr);
    return torvan::cli::kExitUsage;
  }
  const std::string verb = args.front();
  if (verb == "-h" || verb == "--help" || verb == "help") {
    PrintHelp(std::cout);
    return torvan::cli::kExitOk;
  }
  if (verb == "--version") {
    std::cout << torvan::VersionLine("torvan-cli") << '\n';
    return torvan::cli::kExitOk;
  }
  for (const auto& c : torvan::cli::Commands()) {
    if (c.name == verb) {
      args.erase(args.begin());
      try {
        return c.run(args);
      } catch (const std::exception& e) {
        return torvan::cli::Fail(std::string("internal error: ") + e.what());
      }
    }
  }
  if (IsLeftOutQtCommand(verb)) {
    return torvan::cli::Fail(verb + " is not in this build of torvan-cli: it needs Qt, and this build was made " +
                             "without it");
  }
  std::cerr << "torvan-cli: unknown command \"" << torvan::cli::OneLine(verb) << "\"\n\n";
  PrintHelp(std::cerr);
  return torvan::cli::kExitUsage;
}
