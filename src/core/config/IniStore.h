#pragma once
// CIniStore: the program's one settings store over Program.ini. A small INI
// reader and writer with rules of its own: comment lines start with ; / \ or *,
// values are cut at "//", "\t;" or "/*", the first section of a name and the
// last key of a name win, names compare without regard to case when asked.
//
// Reading: each line is trimmed of blanks (space, tab, CR, LF, VT, FF). A line
// that starts with "[" and ends with "]" starts a new section (also when one of
// that name exists). Other lines split at the first "=" into a trimmed key and
// value; a line without "=" is a key with an empty value. Lines with an empty
// key and lines whose key starts with ; / \ or * are dropped. Lines end at LF,
// CR LF or a lone CR. Any bytes are accepted (the file is UTF-8 by custom).
//
// Writing: sections in order, each after the leading unnamed one introduced by
// "[name]", then "key=value" per key ("value" alone for an empty key), every
// line ending in CR LF on every platform. Comment and blank lines of the file
// that was read are not written again. The file is replaced atomically: a
// failed write leaves the old file as it was.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/files/Status.h"

namespace torvan {

// How a store treats the file it opens.
struct IniOpenOptions {
  bool writeBackOnDestroy = false;  // write the file back (if dirty) when the store goes
  bool caseInsensitive = true;      // section and key names compare without regard to case
  bool keepBackup = false;          // a write-back at destruction first keeps a numbered copy
};

class CIniStore {
 public:
  CIniStore() = default;
  virtual ~CIniStore();  // writes back when Open asked for it, then clears
  CIniStore(const CIniStore&) = delete;
  CIniStore& operator=(const CIniStore&) = delete;

  // The directory that Open puts the file in is taken from the program's start
  // path: everything before its last path separator ('/' or '\'), or the
  // current directory when it has none. Front ends pass the executable's real
  // path here.
  static void SetProgramStartPath(std::filesystem::path path);
  // The directory Open uses, as described above.
  static std::filesystem::path ProgramDirectory();

  // Loads `fileName` from the program's directory, creating it empty when it
  // does not exist. A store that holds a file already writes it back first
  // (without backup, only if dirty) and is cleared. Fails, naming the file,
  // when the file cannot be opened (nothing is loaded, the path stays empty)
  // or a read fails part-way (what was read stays loaded, with the path).
  Status Open(const std::filesystem::path& fileName, const IniOpenOptions& options);
  // The same with a full path, for tests and tools.
  Status OpenPath(const std::filesystem::path& fullPath, const IniOpenOptions& options);

  // The value of `key` in the first section named `section` (its last key of
  // that name), cut at the earliest comment mark "//", "\t;" or "/*" and not
  // trimmed again; `def` when the section or key is missing.
  std::string GetValue(std::string_view section, std::string_view key, std::string_view def = {}) const;

  // Adds or changes a value in memory; ignored while no file is loaded. A new
  // section or key, or a value that differs under the name comparison, makes
  // the store dirty (so a change of letter case alone does not, when names
  // compare without regard to case).
  void SetValue(std::string_view section, std::string_view key, std::string_view value);

  // Writes the whole store to its file when it is dirty, replacing the file
  // atomically. With `keepBackup` the current file is first copied (also
  // atomically) to a numbered backup, "Program.ini.001" for the first one in
  // the folder; the store keeps using that name for later write-backs of the
  // same file. Gives the backup file name used, or an empty path when none
  // was made or nothing needed writing; fails, naming the file, when a write
  // failed. A failed backup copy writes nothing.
  Result<std::filesystem::path> WriteBack(bool keepBackup);

  // Frees all sections, keys and values, empties the path and clears the dirty
  // flag.
  void Clear();

  const std::filesystem::path& Path() const { return path_; }
  bool IsDirty() const { return dirty_; }

 private:
  struct Section {
    std::string name;
    std::vector<std::string> keys;
    std::vector<std::string> values;
  };

  bool NamesEqual(std::string_view a, std::string_view b) const;
  int FindSection(std::string_view name) const;
  static int FindKey(const Section& s, std::string_view key, bool caseInsensitive);
  Status Load(const std::filesystem::path& fullPath);
  void AddLine(std::string_view line);
  void AppendSection(std::string name);
  std::string Serialize() const;
  std::filesystem::path ChooseBackupName() const;

  std::filesystem::path path_;
  std::vector<Section> sections_;
  IniOpenOptions options_;
  bool dirty_ = false;
  std::filesystem::path backupName_;
  std::filesystem::path backupFor_;  // the path that backupName_ was chosen for
};

}  // namespace torvan
