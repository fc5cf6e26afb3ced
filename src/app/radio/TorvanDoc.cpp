#include "app/radio/TorvanDoc.h"

#include <QDir>
#include <QFileInfo>

#include "core/files/PathText.h"
#include "app/base/AppContext.h"

namespace torvan {

CTorvanDoc::CTorvanDoc() {
  connect(&m_undoStack, &QUndoStack::cleanChanged, this, [this](bool clean) { emit modifiedChanged(!clean); });
}

bool CTorvanDoc::OnNewDocument(const AppContext& app) {
  m_image = RadioImage::NewDocument();
  SetTitle(app.Text(Text::ChannelInformation));
  m_pathName = app.AppName();
  m_hasFile = false;
  m_loadedFrom.reset();
  m_undoStack.clear();
  return true;
}

DatLoad CTorvanDoc::OnOpenDocument(const QString& path) {
  RadioImage loaded = m_image;
  const QFileInfo info(path);
  DatLoad load = LoadDat(PathFromUtf8(info.filePath().toStdString()), loaded);
  if (!load.ok()) return load;
  m_image = loaded;
  m_hasFile = load.kind == DatFileKind::Complete;
  // A file that is not a radio memory is never the document's file: Save As
  // proposes a .dat file of the same name beside it instead.
  m_pathName = m_hasFile ? info.absoluteFilePath() : info.absoluteDir().filePath(info.completeBaseName() + ".dat");
  m_loadedFrom = load;
  SetTitle(info.fileName());
  m_undoStack.clear();
  return load;
}

Status CTorvanDoc::OnSaveDocument(const QString& path) {
  emit aboutToSave();
  const Status s = SaveDat(PathFromUtf8(path.toStdString()), m_image);
  if (!s.ok()) return s;
  m_pathName = QFileInfo(path).absoluteFilePath();
  m_hasFile = true;
  m_loadedFrom.reset();  // the image is a whole radio memory file now
  SetTitle(QFileInfo(path).fileName());
  m_undoStack.setClean();
  return Status::Ok();
}

void CTorvanDoc::SetTitle(const QString& title) {
  if (title == m_title) return;
  m_title = title;
  emit titleChanged(m_title);
}

}  // namespace torvan
