#pragma once
// CIniStore: the program's one settings store over Program.ini. A small INI
// reader and writer with rules of its own: comment lines start with ; / \ or *,
// values are cut at "//", "\t;" or "/*", the first section of a name and the
// last key of a name win, names compare without regard to case when asked.

#include <string>
#include <string_view>
#include <vector>

namespace torvan {

class CIniStore {
 public:
  // `growthStep`: the section table grows by this many slots at a time.
  explicit CIniStore(int growthStep = 4);
  virtual ~CIniStore();  // writes back when Open asked for it, then clears
  CIniStore(const CIniStore&) = delete;
  CIniStore& operator=(const CIniStore&) = delete;

  // The directory that Open puts the file in is taken from the program's start
  // path: everything before its last path separator, or the current directory
  // when it has none. Front ends pass the executable's real path here.
  static void SetProgramStartPath(std::string path);

  // Loads `fileName` from the program's directory, creating it empty when it
  // does not exist. Returns false when the file cannot be opened or read.
  bool Open(const std::string& fileName, bool writeBackOnDestroy, bool caseInsensitive, bool keepBackup);
  // The same with a full path, for tests and tools.
  bool OpenPath(const std::string& fullPath, bool writeBackOnDestroy, bool caseInsensitive, bool keepBackup);

  // The value of `key` in the first section named `section`, cut at the first
  // comment mark; `def` when the section or key is missing.
  std::string GetValue(std::string_view section, std::string_view key, std::string_view def = {}) const;

  // Adds or changes a value in memory; ignored while no file is loaded.
  void SetValue(std::string_view section, std::string_view key, std::string_view value);

  // Writes the whole store to its file when it is dirty, replacing the file
  // atomically. Returns the backup file name used, or "" when none was made.
  std::string WriteBack(bool keepBackup);

  void Clear();

  const std::string& Path() const { return path_; }
  bool IsDirty() const { return dirty_; }

 private:
  struct Section {
    std::string name;
    std::vector<std::string> keys;
    std::vector<std::string> values;
  };

  bool NamesEqual(std::string_view a, std::string_view b) const;
  int FindSection(std::string_view name) const;
  bool Load(const std::string& fullPath);
  std::string ChooseBackupName() const;

  int growthStep_;
  std::string path_;
  std::vector<Section> sections_;
  bool caseInsensitive_ = false;
  bool writeBackOnDestroy_ = false;
  bool keepBackup_ = false;
  bool dirty_ = false;
  std::string backupName_;
};

}  // namespace torvan
