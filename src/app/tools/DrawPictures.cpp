// torvan-draw-pictures OUTDIR: draws the pictures of the language packs (toolbar
// buttons, tree pictures, close button, sizing cursor, background, program
// icon) as PNG files. The PNGs are kept in resources/pictures; run this again
// only to change them.

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QString>
#include <cstdio>
#include <functional>

namespace {

constexpr int kIcon = 32;  // toolbar and tree pictures are drawn at 32 x 32 and shown smaller

const QColor kBlue(0, 50, 240);
const QColor kDarkBlue(20, 40, 110);
const QColor kPaper(250, 250, 245);
const QColor kEdge(70, 70, 80);

bool Save(const QString& dir, const QString& name, int w, int h, const std::function<void(QPainter&)>& draw) {
  QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
  img.fill(Qt::transparent);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  draw(p);
  p.end();
  const QString path = dir + "/" + name + ".png";
  if (!img.save(path)) {
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
  }
  return true;
}

void Sheet(QPainter& p) {  // a page with a folded corner
  QPainterPath page;
  page.moveTo(7, 3);
  page.lineTo(20, 3);
  page.lineTo(26, 9);
  page.lineTo(26, 29);
  page.lineTo(7, 29);
  page.closeSubpath();
  p.setPen(QPen(kEdge, 1.5));
  p.setBrush(kPaper);
  p.drawPath(page);
  p.setBrush(QColor(220, 220, 210));
  p.drawPolygon(QPolygonF({QPointF(20, 3), QPointF(20, 9), QPointF(26, 9)}));
}

void Radio(QPainter& p, double s) {  // a handheld radio, scaled from a 32 x 32 drawing
  p.save();
  p.scale(s, s);
  p.setPen(QPen(kEdge, 1.2));
  p.setBrush(QColor(60, 60, 70));
  p.drawRoundedRect(QRectF(19, 1, 3, 9), 1, 1);  // antenna
  p.setBrush(QColor(45, 50, 60));
  p.drawRoundedRect(QRectF(9, 8, 15, 23), 3, 3);  // body
  p.setBrush(QColor(150, 210, 160));
  p.drawRect(QRectF(11.5, 11, 10, 6));  // display
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(200, 200, 205));
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c) p.drawRect(QRectF(12 + c * 3.3, 20 + r * 3.3, 2.2, 2.2));  // keypad
  p.restore();
}

void Arrow(QPainter& p, QPointF from, QPointF to, const QColor& c) {
  p.setPen(QPen(c, 3, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(from, to);
  const QPointF d = to - from;
  const double len = std::hypot(d.x(), d.y());
  const QPointF u(d.x() / len, d.y() / len), n(-u.y(), u.x());
  p.setPen(Qt::NoPen);
  p.setBrush(c);
  p.drawPolygon(QPolygonF({to + u * 3, to - u * 5 + n * 5, to - u * 5 - n * 5}));
}

// A curved arrow that turns back to the left (undo); mirrored, to the right (redo).
void TurnArrow(QPainter& p, bool mirrored) {
  p.save();
  if (mirrored) {
    p.translate(kIcon, 0);
    p.scale(-1, 1);
  }
  const QColor c(30, 110, 60);
  QPainterPath curve;
  curve.moveTo(26, 26);
  curve.cubicTo(28, 14, 20, 9, 11, 11);
  p.setPen(QPen(c, 3.5, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  p.drawPath(curve);
  p.setPen(Qt::NoPen);
  p.setBrush(c);
  p.drawPolygon(QPolygonF({QPointF(3, 11.5), QPointF(13, 4), QPointF(13, 19)}));
  p.restore();
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: torvan-draw-pictures OUTDIR\n");
    return 2;
  }
  const QString dir = QString::fromLocal8Bit(argv[1]);
  QDir().mkpath(dir);
  bool ok = true;

  ok &= Save(dir, "new", kIcon, kIcon, [](QPainter& p) {
    Sheet(p);
    p.setPen(QPen(QColor(230, 170, 0), 2));
    p.drawLine(QPointF(24, 18), QPointF(30, 24));
    p.drawLine(QPointF(30, 18), QPointF(24, 24));
    p.drawLine(QPointF(27, 16), QPointF(27, 26));
  });
  ok &= Save(dir, "open", kIcon, kIcon, [](QPainter& p) {
    p.setPen(QPen(QColor(150, 110, 20), 1.5));
    p.setBrush(QColor(240, 200, 90));
    p.drawRect(QRectF(3, 9, 24, 18));
    p.drawRect(QRectF(3, 6, 10, 4));
    p.setBrush(QColor(255, 225, 130));
    p.drawPolygon(QPolygonF({QPointF(7, 14), QPointF(30, 14), QPointF(26, 27), QPointF(3, 27)}));
  });
  ok &= Save(dir, "save", kIcon, kIcon, [](QPainter& p) {
    p.setPen(QPen(kDarkBlue, 1.5));
    p.setBrush(QColor(60, 90, 170));
    p.drawRoundedRect(QRectF(4, 4, 24, 24), 2, 2);
    p.setBrush(QColor(235, 240, 250));
    p.drawRect(QRectF(9, 5, 14, 9));
    p.setBrush(QColor(200, 205, 215));
    p.drawRect(QRectF(9, 19, 14, 9));
    p.setBrush(kDarkBlue);
    p.drawRect(QRectF(18, 6.5, 3, 6));
  });
  ok &= Save(dir, "undo", kIcon, kIcon, [](QPainter& p) { TurnArrow(p, false); });
  ok &= Save(dir, "redo", kIcon, kIcon, [](QPainter& p) { TurnArrow(p, true); });
  ok &= Save(dir, "read", kIcon, kIcon, [](QPainter& p) {
    Radio(p, 0.8);
    Arrow(p, QPointF(18, 22), QPointF(29, 22), QColor(0, 150, 60));
  });
  ok &= Save(dir, "write", kIcon, kIcon, [](QPainter& p) {
    Radio(p, 0.8);
    Arrow(p, QPointF(31, 22), QPointF(20, 22), QColor(210, 60, 30));
  });
  ok &= Save(dir, "print", kIcon, kIcon, [](QPainter& p) {
    p.setPen(QPen(kEdge, 1.5));
    p.setBrush(kPaper);
    p.drawRect(QRectF(9, 3, 14, 10));
    p.setBrush(QColor(170, 170, 180));
    p.drawRoundedRect(QRectF(3, 12, 26, 11), 2, 2);
    p.setBrush(kPaper);
    p.drawRect(QRectF(9, 19, 14, 10));
    p.setPen(QPen(QColor(120, 120, 130), 1));
    p.drawLine(QPointF(11, 23), QPointF(21, 23));
    p.drawLine(QPointF(11, 26), QPointF(19, 26));
  });
  ok &= Save(dir, "about", kIcon, kIcon, [](QPainter& p) {
    p.setPen(QPen(kDarkBlue, 1.5));
    p.setBrush(QColor(70, 120, 220));
    p.drawEllipse(QRectF(3, 3, 26, 26));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(14, 7.5, 4, 4));
    p.drawRoundedRect(QRectF(14, 13.5, 4, 11), 1, 1);
  });
  ok &= Save(dir, "tree-root", kIcon, kIcon, [](QPainter& p) { Radio(p, 1.0); });
  ok &= Save(dir, "tree-page", kIcon, kIcon, [](QPainter& p) {
    Sheet(p);
    p.setPen(QPen(kBlue, 1.5));
    for (int y = 12; y <= 24; y += 4) p.drawLine(QPointF(10, y), QPointF(23, y));
  });
  ok &= Save(dir, "close", 16, 16, [](QPainter& p) {
    p.setPen(QPen(QColor(60, 60, 70), 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(4.5, 4.5), QPointF(11.5, 11.5));
    p.drawLine(QPointF(11.5, 4.5), QPointF(4.5, 11.5));
  });
  ok &= Save(dir, "sizing", 32, 32, [](QPainter& p) {  // hot spot in the middle
    p.setRenderHint(QPainter::Antialiasing, false);
    const auto strip = [&](const QColor& c, int grow) {
      p.setPen(Qt::NoPen);
      p.setBrush(c);
      p.drawRect(15 - grow, 6 - grow, 2 + 2 * grow, 20 + 2 * grow);
      p.drawPolygon(QPolygon({QPoint(12 + grow, 11 - grow * 2), QPoint(3 - grow * 2, 16), QPoint(12 + grow, 21 + grow * 2)}));
      p.drawPolygon(QPolygon({QPoint(20 - grow, 11 - grow * 2), QPoint(29 + grow * 2, 16), QPoint(20 - grow, 21 + grow * 2)}));
      p.drawRect(10, 15 - grow, 12, 2 + 2 * grow);
    };
    strip(Qt::white, 1);
    strip(Qt::black, 0);
  });
  ok &= Save(dir, "background", 96, 96, [](QPainter& p) {
    QLinearGradient g(0, 0, 96, 96);
    g.setColorAt(0, QColor(214, 224, 238));
    g.setColorAt(1, QColor(200, 213, 232));
    p.fillRect(QRect(0, 0, 96, 96), g);
    p.setPen(QPen(QColor(255, 255, 255, 90), 2));
    p.setBrush(Qt::NoBrush);
    for (int r = 12; r <= 60; r += 16) p.drawArc(QRectF(48 - r, 48 - r, 2 * r, 2 * r), 30 * 16, 120 * 16);
    p.setPen(QPen(QColor(120, 140, 180, 60), 1));
    p.drawLine(QPointF(48, 48), QPointF(48, 80));
  });
  ok &= Save(dir, "app", 64, 64, [](QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 50, 240));
    p.drawRoundedRect(QRectF(2, 2, 60, 60), 12, 12);
    Radio(p, 2.0);
  });
  return ok ? 0 : 1;
}
