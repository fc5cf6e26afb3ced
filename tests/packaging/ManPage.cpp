#include "ManPage.h"

#include <fstream>
#include <sstream>

namespace torvan::test {
namespace {

// The macro's arguments: split at blanks, double quotes group.
std::vector<std::string> Arguments(const std::string& rest) {
  std::vector<std::string> args;
  std::string current;
  bool quoted = false;
  bool any = false;
  for (const char c : rest) {
    if (c == '"') {
      quoted = !quoted;
      any = true;
    } else if (c == ' ' && !quoted) {
      if (any || !current.empty()) args.push_back(current);
      current.clear();
      any = false;
    } else {
      current += c;
    }
  }
  if (any || !current.empty()) args.push_back(current);
  return args;
}

std::string Escapes(const std::string& s) {
  std::string out;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] != '\\' || i + 1 >= s.size()) {
      out += s[i];
      continue;
    }
    const char e = s[++i];
    if (e == '-') {
      out += '-';
    } else if (e == 'e') {
      out += '\\';
    } else if (e == '&' || e == '|' || e == '/' || e == ',') {
      // zero-width
    } else if (e == 'f') {  // \fB, \fI, \fR, \fP, \f(XX
      if (i + 1 < s.size() && s[i + 1] == '(') {
        i += 3;
      } else {
        i += 1;
      }
    } else if (e == '(' && i + 2 < s.size()) {  // \(lq, \(rq, \(bv ...
      const std::string name = s.substr(i + 1, 2);
      i += 2;
      if (name == "lq" || name == "rq") {
        out += '"';
      } else if (name == "bv") {
        out += '|';
      } else {
        out += "\\(" + name;  // left visible: a test names it
      }
    } else {
      out += e;
    }
  }
  return out;
}

}  // namespace

std::string ManPage::Text(const std::string& line) {
  if (line.empty() || (line[0] != '.' && line[0] != '\'')) return Escapes(line);
  const auto space = line.find(' ');
  const std::string macro = line.substr(1, space == std::string::npos ? std::string::npos : space - 1);
  const std::vector<std::string> args = Arguments(space == std::string::npos ? "" : line.substr(space + 1));
  std::string joined;
  const bool alternating = macro.size() == 2 && std::string("BIR").find(macro[0]) != std::string::npos &&
                           std::string("BIR").find(macro[1]) != std::string::npos;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (i > 0 && !alternating) joined += ' ';
    joined += args[i];
  }
  return Escapes(joined);
}

bool ManPage::Load(const std::string& path, std::string& error) {
  std::ifstream in(path);
  if (!in) {
    error = "cannot read " + path;
    return false;
  }
  std::string section;
  std::string subsection;
  bool tagNext = false;
  bool noFill = false;
  const auto part = [&]() -> ManPart& {
    const auto key = std::make_pair(section, subsection);
    if (!parts_.count(key)) order_.push_back(key);
    return parts_[key];
  };
  for (std::string line; std::getline(in, line);) {
    if (line.starts_with(".\\\"")) continue;  // comment
    const std::string macro = line.starts_with(".") ? line.substr(1, line.find(' ') == std::string::npos
                                                                         ? std::string::npos
                                                                         : line.find(' ') - 1)
                                                    : std::string();
    if (macro == "SH") {
      section = Text(line);
      subsection.clear();
      part();
      continue;
    }
    if (macro == "SS") {
      subsection = Text(line);
      part();
      continue;
    }
    if (macro == "TP" || macro == "TQ") {
      tagNext = true;
      continue;
    }
    if (macro == "nf") {
      noFill = true;
      part().blocks.emplace_back();
      continue;
    }
    if (macro == "fi") {
      noFill = false;
      continue;
    }
    if (tagNext) {
      part().tags.push_back(Text(line));
      tagNext = false;
    } else if (noFill) {
      part().blocks.back().push_back(Text(line));
    }
  }
  return true;
}

const ManPart& ManPage::Part(const std::string& section, const std::string& subsection) const {
  static const ManPart kNone;
  const auto it = parts_.find({section, subsection});
  return it == parts_.end() ? kNone : it->second;
}

std::vector<std::string> ManPage::Subsections(const std::string& section) const {
  std::vector<std::string> names;
  for (const auto& [s, sub] : order_) {
    if (s == section && !sub.empty()) names.push_back(sub);
  }
  return names;
}

std::string FirstWord(const std::string& text) {
  std::istringstream in(text);
  std::string word;
  in >> word;
  return word;
}

std::vector<std::string> OptionsIn(const std::string& usage) {
  std::string plain;
  for (const char c : usage) plain += (c == '[' || c == ']' || c == '|') ? ' ' : c;
  std::vector<std::string> options;
  std::istringstream in(plain);
  for (std::string word; in >> word;) {
    if (word.size() < 2 || word[0] != '-') continue;
    const auto eq = word.find('=');
    if (eq != std::string::npos) word.erase(eq);
    options.push_back(word);
  }
  return options;
}

}  // namespace torvan::test
