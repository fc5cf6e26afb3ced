#include "app/shell/BackgroundClient.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QPaintEvent>

#include "app/base/LanguagePack.h"

namespace torvan {
namespace {
constexpr const char* kBackgroundFile = "background.bmp";
}

CBackgroundClient::CBackgroundClient(QWidget* parent) : QMdiArea(parent) {
  packImage_ = LanguagePack::Picture(QStringLiteral("background")).toImage();
  // A document window larger than the area (a small main window, a large
  // screen scale) can be scrolled into sight.
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

QImage CBackgroundClient::CurrentPicture() {
  const QFileInfo info(QDir::current().filePath(QString::fromLatin1(kBackgroundFile)));
  if (info.isFile()) {
    // Read again only when the file changed since the last paint.
    if (info.lastModified() != fileTime_ || info.size() != fileSize_ || fileImage_.isNull()) {
      fileImage_ = QImage(info.filePath());
      fileTime_ = info.lastModified();
      fileSize_ = info.size();
    }
    if (!fileImage_.isNull()) return fileImage_;
  } else {
    fileImage_ = QImage();
    fileSize_ = -1;
  }
  return packImage_;
}

void CBackgroundClient::paintEvent(QPaintEvent* event) {
  const QImage picture = CurrentPicture();
  QPainter p(viewport());
  if (picture.isNull() || picture.width() <= 0 || picture.height() <= 0) {
    p.fillRect(event->rect(), background());
    return;
  }
  const QRect client = viewport()->rect();
  const int w = picture.width();
  const int h = picture.height();
  for (int x = client.left(); x <= client.right(); x += w) {
    for (int y = client.top(); y <= client.bottom(); y += h) {
      const QRect tile(x, y, w, h);
      if (tile.intersects(event->rect())) p.drawImage(tile.topLeft(), picture);
    }
  }
}

void CBackgroundClient::resizeEvent(QResizeEvent* event) {
  QMdiArea::resizeEvent(event);
  viewport()->update();
}

}  // namespace torvan
