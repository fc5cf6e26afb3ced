#pragma once
// torvan-cli verbs: each verb lives in its own Cmd*.cpp and registers itself
// with TORVAN_CLI_COMMAND, so main.cpp needs no list of them.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace torvan::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;  // one line on stderr says what failed
inline constexpr int kExitUsage = 2;

struct CommandInfo {
  std::string name;
  std::string usage;    // e.g. "new OUT.dat"
  std::string summary;  // one line for the help text
  std::function<int(const std::vector<std::string>& args)> run;  // args after the verb
  int order = 100;      // position in the help text
};

void RegisterCommand(CommandInfo info);
const std::vector<CommandInfo>& Commands();

struct Registrar {
  explicit Registrar(CommandInfo info) { RegisterCommand(std::move(info)); }
};

#define TORVAN_CLI_CONCAT2(a, b) a##b
#define TORVAN_CLI_CONCAT(a, b) TORVAN_CLI_CONCAT2(a, b)
#define TORVAN_CLI_COMMAND(...) \
  static const ::torvan::cli::Registrar TORVAN_CLI_CONCAT(torvanCliRegistrar_, __LINE__)(__VA_ARGS__)

// `text` made fit for one line of a terminal: control characters that came
// from a file or an argument (a line feed inside a quoted CSV field, a NUL)
// are shown as \n, \r, \t or \xNN instead of breaking or garbling the line.
std::string OneLine(std::string_view text);

// Prints "torvan-cli: <message>" on stderr (as OneLine) and returns kExitFailure.
int Fail(const std::string& message);
// Prints "torvan-cli <verb>: <message>" and the verb's usage on stderr; returns kExitUsage.
int UsageError(const std::string& verb, const std::string& message);

// Command-line arguments of one verb: options with a value ("-o X", "--lang X",
// "--lang=X"), flags ("--verify"), and positionals in order.
class Args {
 public:
  // `valueOptions`: options that take a value; `flags`: options without one;
  // `repeatable`: those of them that may be given more than once (each value
  // counts). Unknown options, missing values and an option given twice that
  // is not repeatable make ok() false with error() set.
  Args(const std::vector<std::string>& args, const std::vector<std::string>& valueOptions,
       const std::vector<std::string>& flags, const std::vector<std::string>& repeatable = {});

  bool ok() const { return error_.empty(); }
  const std::string& error() const { return error_; }
  const std::vector<std::string>& positionals() const { return positionals_; }
  // The value of an option given once (of a repeatable one: the last).
  std::optional<std::string> value(const std::string& option) const;
  // Every value given for a repeatable option, in order.
  std::vector<std::string> values(const std::string& option) const;
  bool flag(const std::string& option) const;

 private:
  std::vector<std::pair<std::string, std::string>> values_;
  std::vector<std::string> flags_;
  std::vector<std::string> positionals_;
  std::string error_;
};

}  // namespace torvan::cli
