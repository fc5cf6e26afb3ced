#include "app/radio/TorvanDoc.h"

#include <QFileInfo>

#include "app/channels/TorvanView.h"
#include "core/files/PathText.h"
#include "core/radio/DatFile.h"
#include "app/base/AppContext.h"

namespace torvan {

bool CTorvanDoc::OnNewDocument() {
  m_image = RadioImage::NewDocument();
  const DisplayLanguage lang = HasApp() ? App().language : DisplayLanguage::English;
  const std::string_view title = TextFor(Text::ChannelInformation, lang);
  SetTitle(QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size())));
  m_pathName = HasApp() ? App().SetupValue("AppName") : QString();
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
  if (m_view) m_view->EncodeImage();
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
