#include "cli/CliCommand.h"

#include <algorithm>
#include <iostream>

namespace torvan::cli {

namespace {
std::vector<CommandInfo>& Registry() {
  static std::vector<CommandInfo> commands;
  return commands;
}
}  // namespace

void RegisterCommand(CommandInfo info) {
  auto& r = Registry();
  r.push_back(std::move(info));
  std::stable_sort(r.begin(), r.end(), [](const CommandInfo& a, const CommandInfo& b) { return a.order < b.order; });
}

const std::vector<CommandInfo>& Commands() { return Registry(); }

std::string OneLine(std::string_view text) {
  constexpr unsigned char kFirstPrintable = 0x20;
  constexpr unsigned char kDelete = 0x7F;
  std::string line;
  line.reserve(text.size());
  for (const char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    if (c >= kFirstPrintable && c != kDelete) {
      line += ch;  // UTF-8 sequences pass whole: their bytes are all 0x80 or more
    } else if (c == '\n') {
      line += "\\n";
    } else if (c == '\r') {
      line += "\\r";
    } else if (c == '\t') {
      line += "\\t";
    } else {
      constexpr char kHexDigits[] = "0123456789ABCDEF";
      line += "\\x";
      line += kHexDigits[c >> 4];
      line += kHexDigits[c & 0x0F];
    }
  }
  return line;
}

int Fail(const std::string& message) {
  std::cerr << "torvan-cli: " << OneLine(message) << '\n';
  return kExitFailure;
}

int UsageError(const std::string& verb, const std::string& message) {
  std::cerr << "torvan-cli " << verb << ": " << OneLine(message) << '\n';
  for (const auto& c : Commands()) {
    if (c.name == verb) std::cerr << "usage: torvan-cli " << c.usage << '\n';
  }
  return kExitUsage;
}

Args::Args(const std::vector<std::string>& args, const std::vector<std::string>& valueOptions,
           const std::vector<std::string>& flags, const std::vector<std::string>& repeatable) {
  auto isValueOption = [&](const std::string& o) {
    return std::find(valueOptions.begin(), valueOptions.end(), o) != valueOptions.end();
  };
  auto isFlag = [&](const std::string& o) { return std::find(flags.begin(), flags.end(), o) != flags.end(); };
  // A second value would silently replace the first: "-o a -o b" writes only b.
  auto givenBefore = [&](const std::string& o) {
    if (std::find(repeatable.begin(), repeatable.end(), o) != repeatable.end()) return false;
    return std::find(flags_.begin(), flags_.end(), o) != flags_.end() ||
           std::any_of(values_.begin(), values_.end(), [&](const auto& kv) { return kv.first == o; });
  };
  bool onlyPositionals = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (onlyPositionals || a.size() < 2 || a[0] != '-') {
      positionals_.push_back(a);
      continue;
    }
    if (a == "--") {
      onlyPositionals = true;
      continue;
    }
    std::string name = a;
    std::optional<std::string> inlineValue;
    if (const auto eq = a.find('='); a.rfind("--", 0) == 0 && eq != std::string::npos) {
      name = a.substr(0, eq);
      inlineValue = a.substr(eq + 1);
    }
    if ((isValueOption(name) || (isFlag(name) && !inlineValue)) && givenBefore(name)) {
      error_ = "option " + name + " is given more than once";
      return;
    }
    if (isValueOption(name)) {
      if (inlineValue) {
        values_.emplace_back(name, *inlineValue);
      } else if (i + 1 < args.size()) {
        values_.emplace_back(name, args[++i]);
      } else {
        error_ = "option " + name + " needs a value";
        return;
      }
    } else if (isFlag(name) && !inlineValue) {
      flags_.push_back(name);
    } else {
      error_ = "unknown option " + a;
      return;
    }
  }
}

std::optional<std::string> Args::value(const std::string& option) const {
  std::optional<std::string> v;
  for (const auto& [k, val] : values_) {
    if (k == option) v = val;  // the last one given wins
  }
  return v;
}

std::vector<std::string> Args::values(const std::string& option) const {
  std::vector<std::string> v;
  for (const auto& [k, val] : values_) {
    if (k == option) v.push_back(val);
  }
  return v;
}

bool Args::flag(const std::string& option) const {
  return std::find(flags_.begin(), flags_.end(), option) != flags_.end();
}

}  // namespace torvan::cli
