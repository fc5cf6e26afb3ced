#pragma once
// Reads the parts of a manual page (roff with the man macros, as written in
// resources/man/) that the tests hold to the programs: the tag of every .TP
// and .TQ paragraph and the no-fill blocks (.nf ... .fi), by section (.SH)
// and subsection (.SS), as plain text.

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace torvan::test {

struct ManPart {
  std::vector<std::string> tags;                 // the tags of .TP/.TQ paragraphs, in order
  std::vector<std::vector<std::string>> blocks;  // the lines of each .nf block, in order
  // The lines of the first .nf block (a synopsis); none when there is none.
  std::vector<std::string> FirstBlock() const { return blocks.empty() ? std::vector<std::string>{} : blocks.front(); }
};

class ManPage {
 public:
  // False with `error` set when the file cannot be read.
  bool Load(const std::string& path, std::string& error);

  // The part of section `section` ("COMMANDS") before its first subsection
  // when `subsection` is empty, else of that subsection. Empty when missing.
  const ManPart& Part(const std::string& section, const std::string& subsection = "") const;
  // The subsections of `section`, in order.
  std::vector<std::string> Subsections(const std::string& section) const;

  // One line of roff as the reader sees it: a macro line with its arguments
  // joined (.B and .I with blanks, .BR and the other two-font macros without),
  // escapes resolved (\- is -, \e is \, \(lq \(rq are quotes), font changes
  // dropped.
  static std::string Text(const std::string& line);

 private:
  std::map<std::pair<std::string, std::string>, ManPart> parts_;
  std::vector<std::pair<std::string, std::string>> order_;
};

// The first blank-separated word of `text`.
std::string FirstWord(const std::string& text);

// The options in a usage line: every word that starts with "-" once brackets
// and "|" are taken away ("[--lang English|Chinese]" gives "--lang").
std::vector<std::string> OptionsIn(const std::string& usage);

}  // namespace torvan::test
