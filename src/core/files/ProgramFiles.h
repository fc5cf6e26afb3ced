#pragma once
// Where the programs find the files they ship with: Program.ini, the language
// packs, the help files.
//
// A file is looked for beside the executable first: the build folder and a
// portable copy keep everything there. Else it is looked for in
// ../share/torvan relative to the executable, where an installed tree puts it
// (/usr/bin/torvan reads /usr/share/torvan/Program.ini). No install prefix is
// compiled in, so an unpacked package runs from any folder.

#include <filesystem>
#include <string_view>
#include <vector>

namespace torvan {

// The name of the folder below share/ that holds the shipped files, and of the
// user's own folder for the program's settings.
inline constexpr std::string_view kProgramFolderName = "torvan";

class ProgramFiles {
 public:
  // `programDir`: the folder of the running executable.
  explicit ProgramFiles(std::filesystem::path programDir);

  const std::filesystem::path& ProgramDir() const { return programDir_; }
  // `programDir`/../share/torvan, without the "..".
  std::filesystem::path ShareDir() const;
  // The folders searched, in order: beside the executable, then ShareDir().
  std::vector<std::filesystem::path> Folders() const;
  // `name` in the first folder that has it as a file; beside the executable
  // when none has it.
  std::filesystem::path Find(std::string_view name) const;

 private:
  std::filesystem::path programDir_;
};

// Whether this process may replace `file` the way every file is written here:
// a temporary file in the same folder, then a rename. The folder must let us
// create files and the file, when it exists, must allow writing. The
// permission bits decide for root too, who could write anything: a file or
// folder that nobody may write (installed read-only on purpose) is left alone.
bool MayReplaceFile(const std::filesystem::path& file);

}  // namespace torvan
