#include "core/config/IniStore.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <new>
#include <system_error>

#include "core/files/AtomicFile.h"
#include "core/files/InputFile.h"
#include "core/files/PathText.h"
#include "core/files/SystemError.h"
#include "core/radio/NumberText.h"

namespace torvan {
namespace fs = std::filesystem;

namespace {

constexpr std::string_view kBlanks = " \t\r\n\v\f";
constexpr std::string_view kCommentStarts = ";/\\*";
constexpr std::string_view kValueCommentMarks[] = {"//", "\t;", "/*"};
constexpr std::string_view kLineEnd = "\r\n";  // on every platform: the file is the same wherever it was written
constexpr std::size_t kBackupDigits = 3;        // "Program.ini.001"
constexpr std::size_t kReadChunk = 64 * 1024;
#ifdef _WIN32
constexpr char kPathSeparator = '\\';
#else
constexpr char kPathSeparator = '/';
#endif

std::string_view Trim(std::string_view s) {
  const auto first = s.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  const auto last = s.find_last_not_of(kBlanks);
  return s.substr(first, last - first + 1);
}

// Letters A-Z fold to a-z; every other byte (UTF-8 included) compares exactly.
char FoldAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
  }
  return true;
}

bool StartsWithIgnoringAsciiCase(std::string_view s, std::string_view prefix) {
  return s.size() >= prefix.size() && EqualIgnoringAsciiCase(s.substr(0, prefix.size()), prefix);
}

fs::path& ProgramStartPath() {
  static fs::path startPath;
  return startPath;
}

// Creates `path` empty if it does not exist, without truncating a file that
// appeared meanwhile. 0 or the error number.
int CreateEmptyIfMissing(const fs::path& path) {
  errno = 0;
#ifdef _WIN32
  std::FILE* f = ::_wfopen(path.c_str(), L"ab");
#else
  std::FILE* f = std::fopen(path.c_str(), "abe");
#endif
  if (!f) return errno ? errno : ENOENT;
  std::fclose(f);
  return 0;
}

}  // namespace

CIniStore::~CIniStore() {
  // Nobody is left to tell of a failed write-back: the old file stays whole.
  if (options_.writeBackOnDestroy) static_cast<void>(WriteBack(options_.keepBackup));
  Clear();
}

void CIniStore::SetProgramStartPath(fs::path path) { ProgramStartPath() = std::move(path); }

fs::path CIniStore::ProgramDirectory() {
  // Both separators count on every system: a start path may come from either.
  const std::string start = PathText(ProgramStartPath());
  const auto sep = start.find_last_of("/\\");
  if (sep != std::string::npos) return PathFromUtf8(std::string_view(start).substr(0, sep));
  std::error_code ec;
  const fs::path cwd = fs::current_path(ec);
  return ec ? fs::path(".") : cwd;
}

Status CIniStore::Open(const fs::path& fileName, const IniOpenOptions& options) {
  // Joined as text: a start path of "/torvan" gives the directory "" and the
  // file "/Program.ini", which a path join would make relative.
  return OpenPath(PathFromUtf8(PathText(ProgramDirectory()) + kPathSeparator + PathText(fileName)), options);
}

Status CIniStore::OpenPath(const fs::path& fullPath, const IniOpenOptions& options) {
  if (!path_.empty()) {
    static_cast<void>(WriteBack(false));  // the file being left keeps its old content if this fails
    Clear();
  }
  options_ = options;
  if (fullPath != backupFor_) {
    // A backup name belongs to the file it was chosen for.
    backupName_.clear();
    backupFor_.clear();
  }
  return Load(fullPath);
}

Status CIniStore::Load(const fs::path& fullPath) {
  const std::string name = PathText(fullPath);
  std::error_code ec;
  const fs::file_status st = fs::status(fullPath, ec);
  if (!fs::exists(st) && !fs::is_directory(st)) {
    if (const int e = CreateEmptyIfMissing(fullPath)) return Status::Error("cannot create " + name + ": " + SystemErrorText(e));
  }
  InputFile in(fullPath);
  if (!in.isOpen()) return Status::Error("cannot open " + name + ": " + SystemErrorText(in.openError()));

  path_ = fullPath;
  sections_.clear();
  sections_.push_back(Section{});  // the unnamed leading section

  try {
    std::string line;
    std::vector<std::uint8_t> chunk(kReadChunk);
    bool afterCR = false;  // a LF right after a CR ends no second line
    for (;;) {
      const Result<std::size_t> read = in.Read(chunk);
      if (!read) {
        AddLine(line);  // keep what was read
        return Status::Error("cannot read " + name + ": " + read.error());
      }
      const std::size_t got = read.value();
      for (std::size_t i = 0; i < got; ++i) {
        const auto c = static_cast<char>(chunk[i]);
        if (c == '\n' && afterCR) {
          afterCR = false;
          continue;
        }
        afterCR = c == '\r';
        if (c == '\n' || c == '\r') {
          AddLine(line);
          line.clear();
        } else {
          line.push_back(c);
        }
      }
      if (got < chunk.size()) break;
    }
    AddLine(line);  // a last line without line end
  } catch (const std::bad_alloc&) {
    return Status::Error("cannot read " + name + ": the file is too large");
  }
  return Status::Ok();
}

void CIniStore::AddLine(std::string_view raw) {
  const std::string_view line = Trim(raw);
  if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
    AppendSection(std::string(line.substr(1, line.size() - 2)));
    return;
  }
  std::string_view key = line;
  std::string_view value;
  const auto eq = line.find('=');
  if (eq != std::string_view::npos) {
    key = Trim(line.substr(0, eq));
    value = Trim(line.substr(eq + 1));
  }
  if (key.empty()) return;
  if (kCommentStarts.find(key.front()) != std::string_view::npos) return;
  Section& s = sections_.back();
  s.keys.emplace_back(key);
  s.values.emplace_back(value);
}

void CIniStore::AppendSection(std::string name) {
  Section s;
  s.name = std::move(name);
  sections_.push_back(std::move(s));
}

bool CIniStore::NamesEqual(std::string_view a, std::string_view b) const {
  return options_.caseInsensitive ? EqualIgnoringAsciiCase(a, b) : a == b;
}

int CIniStore::FindSection(std::string_view name) const {
  for (std::size_t i = 0; i < sections_.size(); ++i) {
    if (NamesEqual(sections_[i].name, name)) return static_cast<int>(i);
  }
  return -1;
}

int CIniStore::FindKey(const Section& s, std::string_view key, bool caseInsensitive) {
  for (std::size_t i = s.keys.size(); i-- > 0;) {
    if (caseInsensitive ? EqualIgnoringAsciiCase(s.keys[i], key) : s.keys[i] == key) return static_cast<int>(i);
  }
  return -1;
}

std::string CIniStore::GetValue(std::string_view section, std::string_view key, std::string_view def) const {
  const int si = FindSection(section);
  if (si < 0) return std::string(def);
  const Section& s = sections_[static_cast<std::size_t>(si)];
  const int ki = FindKey(s, key, options_.caseInsensitive);
  if (ki < 0) return std::string(def);
  std::string_view value = s.values[static_cast<std::size_t>(ki)];
  std::size_t cut = value.size();
  for (std::string_view mark : kValueCommentMarks) cut = std::min(cut, value.find(mark));
  return std::string(value.substr(0, cut));
}

void CIniStore::SetValue(std::string_view section, std::string_view key, std::string_view value) {
  if (path_.empty()) return;
  int si = FindSection(section);
  if (si < 0) {
    AppendSection(std::string(section));
    si = static_cast<int>(sections_.size()) - 1;
    dirty_ = true;
  }
  Section& s = sections_[static_cast<std::size_t>(si)];
  const int ki = FindKey(s, key, options_.caseInsensitive);
  if (ki < 0) {
    s.keys.emplace_back(key);
    s.values.emplace_back(value);
    dirty_ = true;
    return;
  }
  std::string& old = s.values[static_cast<std::size_t>(ki)];
  if (!NamesEqual(old, value)) dirty_ = true;
  old.assign(value);
}

std::string CIniStore::Serialize() const {
  std::string out;
  for (std::size_t i = 0; i < sections_.size(); ++i) {
    const Section& s = sections_[i];
    // Every section after the leading one gets its header, an empty name too:
    // without it the keys of "[]" would join the section before on the next load.
    if (i > 0) {
      out += '[';
      out += s.name;
      out += ']';
      out += kLineEnd;
    }
    for (std::size_t k = 0; k < s.keys.size(); ++k) {
      out += s.keys[k];
      if (!s.keys[k].empty()) out += '=';
      out += s.values[k];
      out += kLineEnd;
    }
  }
  return out;
}

Result<fs::path> CIniStore::WriteBack(bool keepBackup) {
  if (!dirty_ || path_.empty()) return fs::path();

  fs::path backupUsed;
  if (keepBackup) {
    const Result<std::string> current = ReadWholeFile(path_, std::string::npos);
    std::error_code ec;
    const bool fileThere = fs::exists(path_, ec);
    // No safe copy of the old file: leave it alone.
    if (!current && fileThere) return current.status();
    if (current) {
      if (backupName_.empty()) {
        backupName_ = ChooseBackupName();
        backupFor_ = path_;
      }
      if (const Status copied = WriteFileAtomically(backupName_, std::string_view(current.value())); !copied) {
        return copied;
      }
      backupUsed = backupName_;
    }
  }

  if (const Status written = WriteFileAtomically(path_, std::string_view(Serialize())); !written) return written;
  return backupUsed;
}

fs::path CIniStore::ChooseBackupName() const {
  fs::path dir = path_.parent_path();
  if (dir.empty()) dir = ".";
  // Names in the folder that start like the file up to its last "." count.
  const std::string fileName = PathText(path_.filename());
  const auto dot = fileName.rfind('.');
  const std::string stem = dot == std::string::npos ? fileName : fileName.substr(0, dot);

  int highest = 0;
  std::error_code ec;
  for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = PathText(it->path().filename());
    if (!StartsWithIgnoringAsciiCase(name, stem)) continue;
    const std::string_view last3 =
        std::string_view(name).substr(name.size() > kBackupDigits ? name.size() - kBackupDigits : 0);
    highest = std::max(highest, AtoI(last3));
  }
  char number[16];
  std::snprintf(number, sizeof number, ".%.3d", highest + 1);
  fs::path backup = path_;
  backup += number;
  return backup;
}

void CIniStore::Clear() {
  sections_.clear();
  sections_.shrink_to_fit();
  path_.clear();
  dirty_ = false;
}

}  // namespace torvan
