#include "app/shell/BackupOpening.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QPointer>

#include "app/base/AppContext.h"
#include "app/channels/ChildFrame.h"
#include "app/channels/TorvanView.h"
#include "app/link/ReadBackupKeeper.h"
#include "app/radio/TorvanDoc.h"
#include "app/shell/MainFrame.h"
#include "core/files/PathText.h"
#include "core/radio/DatFile.h"

namespace torvan {
namespace {

// The context of this file's texts in the translations.
class BackupOpening {
  Q_DECLARE_TR_FUNCTIONS(BackupOpening)
};

}  // namespace

void OpenBackup(CMainFrame& frame, const AppContext& app) {
  // The backup takes the place of the window shown, like File > Open: its
  // unsaved changes are asked about first.
  if (!frame.AskToSave(frame.ActiveChild())) return;
  const QString path = ChooseBackupFile(app, &frame);
  if (path.isEmpty()) return;
  RadioImage image;
  const DatLoad load = LoadDat(PathFromUtf8(path.toStdString()), image);
  if (!load.ok()) {
    QMessageBox::warning(&frame, app.messageCaption,
                         BackupOpening::tr("The backup %1 cannot be opened.").arg(QDir::toNativeSeparators(path)) +
                             QStringLiteral("\n") + QString::fromStdString(load.error()));
    return;
  }
  QPointer<CChildFrame> previous = frame.ActiveChild();
  if (!frame.NewDocument()) return;
  if (previous && previous != frame.ActiveChild()) previous->close();  // a child frame answers by hiding
  CTorvanDoc* doc = frame.ActiveDocument();
  CTorvanView* view = frame.ActiveView();
  if (!doc || !view) return;
  doc->Image() = image;
  view->DecodeImage();
  doc->SetTitle(QFileInfo(path).fileName());
}

}  // namespace torvan
