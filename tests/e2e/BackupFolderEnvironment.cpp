// Every read keeps a backup in the user's data folder. The programs these
// tests start keep theirs in a folder of the test process instead (removed at
// its end), never in the home folder of whoever runs the tests. A test that
// looks at backups names a folder of its own (ScopedBackupFolder).

#include <gtest/gtest.h>
#include <stdlib.h>

#include <memory>

#include "TempDir.h"

namespace torvan::test {
namespace {

class BackupFolderEnvironment final : public ::testing::Environment {
 public:
  void SetUp() override {
    folder_ = std::make_unique<TempDir>();
    ::setenv("TORVAN_BACKUP_DIR", folder_->file("backups").c_str(), 1);
  }
  void TearDown() override {
    ::unsetenv("TORVAN_BACKUP_DIR");
    folder_.reset();
  }

 private:
  std::unique_ptr<TempDir> folder_;
};

[[maybe_unused]] ::testing::Environment* const kBackupFolder =
    ::testing::AddGlobalTestEnvironment(new BackupFolderEnvironment);

}  // namespace
}  // namespace torvan::test
