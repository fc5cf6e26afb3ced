#pragma once
// File > Open Backup...: opens a backup of a read (see app/link/ReadBackupKeeper.h)
// chosen in the backup folder, as a new document that has no file yet: Save
// asks for a name, so that the backup itself stays as it was read.

namespace torvan {

struct AppContext;
class CMainFrame;

// Lets the user choose a backup and opens it in a new document window in
// place of the active one. A file that cannot be loaded is shown and changes
// nothing; so does Cancel.
void OpenBackup(CMainFrame& frame, const AppContext& app);

}  // namespace torvan
