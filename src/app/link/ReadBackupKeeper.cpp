#include "app/link/ReadBackupKeeper.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <span>

#include "app/base/AppContext.h"
#include "app/link/PortSetting.h"
#include "core/files/PathText.h"

namespace torvan {
namespace {

constexpr const char* kVirtualRadioBackupName = "virtual-radio";

// The context of this file's texts in the translations.
class ReadBackupKeeper {
  Q_DECLARE_TR_FUNCTIONS(ReadBackupKeeper)
};

QString FromUtf8(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

}  // namespace

std::string BackupPortName(const QString& port) {
  if (port == QLatin1String(kVirtualRadioPort)) return kVirtualRadioBackupName;
  return port.toStdString();
}

bool BackupsOn(const AppContext& app) { return LoadSwitch(app.AppName(), kBackupsSwitch); }

void SetBackupsOn(const AppContext& app, bool on) { SaveSwitch(app.AppName(), kBackupsSwitch, on); }

KeptBackup KeepBackup(const AppContext& app, QWidget* owner, const RadioImage& image, const QString& port) {
  KeptBackup kept = KeepReadBackup(std::span<const std::uint8_t>(image.data(), kImageSize), BackupPortName(port));
  if (!kept.ok()) {
    QMessageBox box(QMessageBox::Warning, app.messageCaption,
                    ReadBackupKeeper::tr("The radio's memory was read, but no backup of it could be kept."), QMessageBox::Ok, owner);
    box.setInformativeText(FromUtf8(kept.warning));
    box.exec();
  }
  return kept;
}

void KeepBackupOfRead(const AppContext& app, QWidget* owner, const RadioImage& image, const QString& port) {
  if (BackupsOn(app)) KeepBackup(app, owner, image, port);
}

QString ChooseBackupFile(const AppContext& app, QWidget* owner) {
  const Result<std::filesystem::path> folder = BackupFolder();
  if (!folder.ok()) {
    QMessageBox::warning(owner, app.messageCaption, ReadBackupKeeper::tr("The backup folder is not known: %1").arg(FromUtf8(folder.error())));
    return {};
  }
  const QString path = FromUtf8(PathText(folder.value()));
  if (!QFileInfo(path).isDir()) {
    QMessageBox::information(owner, app.messageCaption,
                             ReadBackupKeeper::tr("No backup of a read has been kept yet: the backup folder %1 does not exist.")
                                 .arg(QDir::toNativeSeparators(path)));
    return {};
  }
  QFileDialog dialog(owner, ReadBackupKeeper::tr("Open Backup"), path);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setNameFilters({ReadBackupKeeper::tr("Backups (*.dat)"), ReadBackupKeeper::tr("All Files (*)")});
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().constFirst();
}

}  // namespace torvan
