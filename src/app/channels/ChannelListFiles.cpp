#include "app/channels/ChannelListFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

#include "app/base/AppContext.h"
#include "app/base/CommandIds.h"
#include "app/base/Help.h"
#include "app/channels/RefusedLinesDialog.h"
#include "app/channels/TorvanView.h"
#include "app/radio/TorvanDoc.h"
#include "core/channels/ChannelListImport.h"
#include "core/channels/CsvExchange.h"
#include "core/files/AtomicFile.h"
#include "core/files/InputFile.h"
#include "core/files/PathText.h"

namespace torvan {
namespace {

// The context of this file's texts in the translations.
class ChannelListFiles {
  Q_DECLARE_TR_FUNCTIONS(ChannelListFiles)
};

QString Native(const QString& path) { return QDir::toNativeSeparators(path); }

void ShowFailure(QWidget* parent, const AppContext& app, const QString& what, const std::string& reason) {
  QMessageBox::warning(parent, app.messageCaption, what + QStringLiteral("\n") + QString::fromStdString(reason));
}

// The file types of the export's save dialog, one per format.
QString TorvanFilter() { return ChannelListFiles::tr("Torvan CSV (*.csv)"); }
QString ChirpFilter() { return ChannelListFiles::tr("Generic CSV, chirp format (*.csv)"); }

// Used channels of the grid: those with an Rx frequency.
int UsedChannels(const CMSFlexGrid& grid) {
  int used = 0;
  for (int row = 1; row < kGridRows; ++row) used += grid.TextMatrix(row, kColRxFrequency).empty() ? 0 : 1;
  return used;
}

}  // namespace

QString ImportChannelListFile(CTorvanView& view, const AppContext& app, QWidget* parent) {
  QFileDialog dialog(parent, ChannelListFiles::tr("Import Channels"));
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setNameFilters({ChannelListFiles::tr("CSV Files (*.csv)"), ChannelListFiles::tr("All Files (*)")});
  InstallHelpKey(&dialog, app, [] { return cmd::kFileImportChannels; });
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return ImportChannelListFrom(dialog.selectedFiles().constFirst(), view, app, parent);
}

QString ImportChannelListFrom(const QString& path, CTorvanView& view, const AppContext& app, QWidget* parent) {
  // While a transfer uses the image nothing may change it.
  if (view.GetDocument().InTransfer()) return {};
  const QString failed = ChannelListFiles::tr("Failed to import %1.").arg(Native(path));
  const Result<std::string> text = ReadWholeFile(PathFromUtf8(path.toStdString()), kMaxCsvBytes);
  if (!text) {
    ShowFailure(parent, app, failed, text.error());
    return ChannelListFiles::tr("Nothing imported.");
  }
  // Text typed into an open cell is a change of its own, made before the import.
  view.OnLeaveCellGrid();
  ChannelListPlan plan;
  if (const Status s = PlanChannelListImport(text.value(), view.Grid(), app.band, app.language, plan); !s) {
    ShowFailure(parent, app, failed, s.error());
    return ChannelListFiles::tr("Nothing imported.");
  }
  const QString name = QFileInfo(path).fileName();
  if (!plan.refused.empty()) {
    QStringList lines;
    for (const LineRemark& r : plan.refused) lines << QString::fromStdString(r.Message());
    CRefusedLinesDialog question(name, lines, plan.lines, app, parent);
    if (question.exec() != QDialog::Accepted) return ChannelListFiles::tr("Nothing imported.");
  }

  // The import writes only grid rows, but once the document is saved (or
  // written to the radio) they are in the image too: the step keeps the image
  // as well, so that undoing the import gives back its bytes exactly.
  StepParts parts = StepParts::AllRows();
  parts.image = true;
  int changed = 0;
  view.RecordStep(ChannelListFiles::tr("Import Channels"), parts, [&] {
    view.Grid().BeginUpdate();
    changed = ApplyChannelListPlan(plan, view.Grid());
    view.Grid().EndUpdate();
  });

  QString said = ChannelListFiles::tr("Channels imported from %1: %2").arg(name).arg(changed);
  if (!plan.refused.empty()) said += ChannelListFiles::tr("; lines skipped: %1").arg(plan.refused.size());
  if (!plan.notes.empty()) said += ChannelListFiles::tr("; names changed to fit the radio: %1").arg(plan.notes.size());
  return said;
}

QString ExportChannelListFile(CTorvanView& view, const AppContext& app, QWidget* parent) {
  const CTorvanDoc& doc = view.GetDocument();
  QFileDialog dialog(parent, ChannelListFiles::tr("Export Channels"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setNameFilters({TorvanFilter(), ChirpFilter()});
  dialog.setDefaultSuffix(QStringLiteral("csv"));
  const QFileInfo document(doc.PathName());
  const QString proposal = document.completeBaseName() + QStringLiteral(".csv");
  dialog.selectFile(doc.HasFile() ? document.dir().filePath(proposal) : proposal);
  InstallHelpKey(&dialog, app, [] { return cmd::kFileExportChannels; });
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  const QString path = dialog.selectedFiles().constFirst();
  const ChannelListFormat format =
      dialog.selectedNameFilter() == ChirpFilter() ? ChannelListFormat::Chirp : ChannelListFormat::Torvan;

  // What is typed into an open cell is exported, as a save would store it.
  view.OnLeaveCellGrid();
  const std::string text = ExportChannelList(format, view.Grid(), doc.Image());
  if (const Status s = WriteFileAtomically(PathFromUtf8(path.toStdString()), text); !s) {
    ShowFailure(parent, app, ChannelListFiles::tr("Failed to export %1.").arg(Native(path)), s.error());
    return ChannelListFiles::tr("Nothing exported.");
  }
  return ChannelListFiles::tr("Channels exported to %1: %2").arg(QFileInfo(path).fileName()).arg(UsedChannels(view.Grid()));
}

}  // namespace torvan
