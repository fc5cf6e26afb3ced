// torvan-cli: the command line of Torvan. Each verb is one Cmd*.cpp file.

#include <iostream>
#include <string>
#include <vector>

#include "cli/CliCommand.h"
#include "core/product/ProgramVersion.h"

namespace {

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
  std::vector<std::string> args(argv + 1, argv + argc);
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
  std::cerr << "torvan-cli: unknown command \"" << torvan::cli::OneLine(verb) << "\"\n\n";
  PrintHelp(std::cerr);
  return torvan::cli::kExitUsage;
}
