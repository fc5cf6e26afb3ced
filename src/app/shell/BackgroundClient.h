#pragma once
// CBackgroundClient: the area behind the document windows, painted with
// "background.bmp" of the current folder tiled from the top-left corner, or
// with the language pack's background picture when that file is missing. A
// changed file shows at the next repaint. Scroll bars appear when a document
// window reaches beyond the area.

#include <QDateTime>
#include <QImage>
#include <QMdiArea>

namespace torvan {

class CBackgroundClient : public QMdiArea {
  Q_OBJECT
 public:
  explicit CBackgroundClient(QWidget* parent = nullptr);

  // The picture the next paint tiles (the file, the pack's, or none).
  QImage CurrentPicture();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  QImage fileImage_;
  QDateTime fileTime_;
  qint64 fileSize_ = -1;
  QImage packImage_;
};

}  // namespace torvan
