#pragma once
// The backup folder of the programs a test starts (they inherit the test's
// environment): a folder of the test's choosing while this lives, then the
// one before (BackupFolderEnvironment.cpp sets one for every test).

#include <stdlib.h>

#include <optional>
#include <string>

namespace torvan::test {

class ScopedBackupFolder {
 public:
  explicit ScopedBackupFolder(const std::string& folder) {
    if (const char* old = ::getenv(kVariable)) old_ = old;
    ::setenv(kVariable, folder.c_str(), 1);
  }
  ~ScopedBackupFolder() {
    if (old_) {
      ::setenv(kVariable, old_->c_str(), 1);
    } else {
      ::unsetenv(kVariable);
    }
  }
  ScopedBackupFolder(const ScopedBackupFolder&) = delete;
  ScopedBackupFolder& operator=(const ScopedBackupFolder&) = delete;

 private:
  static constexpr const char* kVariable = "TORVAN_BACKUP_DIR";
  std::optional<std::string> old_;
};

}  // namespace torvan::test
