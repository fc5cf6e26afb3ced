#include "core/config/SettingsFiles.h"

#include <string>
#include <system_error>

#include "core/config/IniStore.h"
#include "core/files/AtomicFile.h"
#include "core/files/InputFile.h"
#include "core/files/PathText.h"

namespace torvan {
namespace fs = std::filesystem;

namespace {

// Where a Program.ini that is nowhere belongs: in the share folder of an
// installed tree, else beside the executable. Opening it there creates it
// empty; beside an installed program it would hide the shipped file for good
// once that is back.
fs::path Missing(const ProgramFiles& files) {
  std::error_code ec;
  const bool installed = fs::is_directory(files.ShareDir(), ec);
  return (installed ? files.ShareDir() : files.ProgramDir()) / kProgramIniName;
}

}  // namespace

SettingsFiles ChooseSettingsFiles(const ProgramFiles& files, const fs::path& userConfigDir) {
  std::error_code ec;
  const fs::path beside = files.ProgramDir() / kProgramIniName;
  const fs::path shared = files.ShareDir() / kProgramIniName;
  const bool haveShared = fs::is_regular_file(shared, ec);
  // An empty file says nothing (the store leaves one where it found none): it
  // does not hide the shipped file.
  const bool besideEmpty = fs::is_regular_file(beside, ec) && fs::file_size(beside, ec) == 0;
  const bool haveBeside = fs::is_regular_file(beside, ec) && !(besideEmpty && haveShared);
  if (haveBeside && MayReplaceFile(beside)) return {beside, beside};

  const fs::path copy = userConfigDir.empty() ? fs::path() : userConfigDir / kProgramIniName;
  if (!copy.empty() && fs::is_regular_file(copy, ec)) return {copy, copy};
  const fs::path shipped = haveBeside ? beside : haveShared ? shared : Missing(files);
  if (!haveBeside && !haveShared) return {shipped, shipped};
  return {shipped, copy.empty() ? shipped : copy};
}

Status MoveStoreToWritableFile(CIniStore& store, const SettingsFiles& files) {
  if (store.Path() == files.write) return Status::Ok();
  std::string content;
  if (!store.Path().empty()) {
    Result<std::string> read = ReadWholeFile(store.Path());
    if (!read) return read.status();
    content = std::move(read.value());
  }
  std::error_code ec;
  fs::create_directories(files.write.parent_path(), ec);
  if (ec) return Status::Error("cannot write " + PathText(files.write) + ": " + ec.message());
  if (Status s = WriteFileAtomically(files.write, content); !s.ok()) return s;
  const fs::path loadedFrom = store.Path();
  if (Status s = store.OpenPath(files.write, {.writeBackOnDestroy = true, .caseInsensitive = true, .keepBackup = false});
      !s.ok()) {
    static_cast<void>(store.OpenPath(loadedFrom, {.writeBackOnDestroy = false, .caseInsensitive = true, .keepBackup = false}));
    return s;
  }
  return Status::Ok();
}

}  // namespace torvan
