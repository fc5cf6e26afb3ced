#include "app/radio/TorvanDoc.h"

#include <QFileInfo>

#include "core/files/PathText.h"
#include "app/base/AppContext.h"
#include "core/radio/DatFile.h"

namespace torvan {

bool CTorvanDoc::OnNewDocument(const AppContext& app) {
  m_image = RadioImage::NewDocument();
  SetTitle(app.Text(Text::ChannelInformation));
  m_pathName = app.AppName();
  m_hasFile = false;
  return true;
}

Status CTorvanDoc::OnOpenDocument(const QString& path) {
  RadioImage loaded = m_image;
  const Status s = LoadDat(PathFromUtf8(QFileInfo(path).filePath().toStdString()), loaded);
  if (!s.ok()) return s;
  m_image = loaded;
  m_pathName = QFileInfo(path).absoluteFilePath();
  m_hasFile = true;
  SetTitle(QFileInfo(path).fileName());
  return Status::Ok();
}

Status CTorvanDoc::OnSaveDocument(const QString& path) {
  emit aboutToSave();
  const Status s = SaveDat(PathFromUtf8(path.toStdString()), m_image);
  if (!s.ok()) return s;
  m_pathName = QFileInfo(path).absoluteFilePath();
  m_hasFile = true;
  SetTitle(QFileInfo(path).fileName());
  return Status::Ok();
}

void CTorvanDoc::SetTitle(const QString& title) {
  if (title == m_title) return;
  m_title = title;
  emit titleChanged(m_title);
}

}  // namespace torvan
