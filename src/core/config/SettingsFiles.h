#pragma once
// Which Program.ini holds the user's settings. Program.ini ships with the
// program (see core/files/ProgramFiles.h) and also keeps the user's choices
// (Setup > Language). Beside the executable it is written in place when it may
// be written: the build folder and a portable copy work as they always have.
// An installed Program.ini (../share/torvan, or one beside the executable that
// may not be written) is never written: the first change makes a per-user copy
// of it, and that copy is read from then on in preference to the shipped one.

#include <filesystem>

#include "core/files/ProgramFiles.h"
#include "core/files/Status.h"

namespace torvan {

class CIniStore;

inline constexpr const char* kProgramIniName = "Program.ini";

struct SettingsFiles {
  std::filesystem::path read;   // the Program.ini to load
  std::filesystem::path write;  // where changes go: `read` itself, or the per-user copy
  bool ChangesGoToCopy() const { return read != write; }
};

// The settings files for a program in `files.ProgramDir()` whose user keeps
// settings in `userConfigDir` (empty: no per-user folder, so the shipped file
// is read and written as it is):
// - Program.ini beside the executable, when it may be replaced: read and
//   written (an empty one, as a start without any Program.ini leaves behind,
//   does not count where ../share/torvan has one);
// - else the per-user copy, when it exists: read and written;
// - else the shipped Program.ini: read, and changes go to the per-user copy;
// - without any Program.ini: the one in ../share/torvan when that folder
//   exists, else the one beside the executable (opening it creates it empty,
//   and start-up then finds no language). An empty file beside an installed
//   program would hide the shipped one once that is back.
SettingsFiles ChooseSettingsFiles(const ProgramFiles& files, const std::filesystem::path& userConfigDir);

// Prepares `store` (loaded from `files.read`) for a change: when changes go to
// a per-user copy and the store does not hold it yet, copies the file the store
// was loaded from to `files.write` (creating its folder; atomically) and opens
// the store there as the program's store is opened (names without regard to
// case, written back when destroyed). Call it before the first
// change: a store with unsaved changes would write them to its old file first.
// On failure the store stays as it was and the error names the copy.
Status MoveStoreToWritableFile(CIniStore& store, const SettingsFiles& files);

}  // namespace torvan
