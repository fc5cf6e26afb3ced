#pragma once
// Backups of the desktop program's reads. Each complete read of a radio keeps
// the memory read in the backup folder (core/link/ReadBackups.h) unless the
// user turned backups off (Setup > Keep a Backup of Every Read, stored beside
// the port setting). A backup that cannot be kept never fails the read: the
// read's document is filled all the same, and a message says why no backup
// was kept.

#include <QString>

#include "core/link/ReadBackups.h"
#include "core/radio/RadioImage.h"

class QWidget;

namespace torvan {

struct AppContext;

// The port name a backup of a read through `port` is named after: the port as
// chosen, or "virtual-radio" for the virtual radio (its device changes from
// run to run and tells the user nothing).
std::string BackupPortName(const QString& port);

// Whether backups of reads are on (the stored switch; on when never set).
bool BackupsOn(const AppContext& app);
void SetBackupsOn(const AppContext& app, bool on);

// Keeps `image`, read completely through `port`, as a new backup. Shows
// `warning` with the core's reason over `owner` when it could not be kept.
KeptBackup KeepBackup(const AppContext& app, QWidget* owner, const RadioImage& image, const QString& port);

// After a complete read into a document: keeps the backup when backups are
// on; nothing when they are off.
void KeepBackupOfRead(const AppContext& app, QWidget* owner, const RadioImage& image, const QString& port);

// File > Open Backup...: a file dialog in the backup folder; the chosen file,
// or empty when the user cancelled. A missing folder is not created: the
// user is told that no backup was kept there yet, and no dialog opens.
QString ChooseBackupFile(const AppContext& app, QWidget* owner);

}  // namespace torvan
