#pragma once
// What a user does to the running program, for the tests that follow one
// through a task: clicks on channel cells and keys into whatever has the
// keyboard, the mouse wheel over the grid, and message boxes answered as
// they come (each one remembered with its text and buttons).

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>
#include <functional>
#include <string>
#include <vector>

#include "AppHarness.h"
#include "app/channels/TorvanView.h"

namespace torvan::test {

// The channel grid of the active document window, driven by mouse and keys.
class GridUser {
 public:
  explicit GridUser(AppHarness& h) : h_(h) {}

  CTorvanView* View() const { return h_.Frame()->ActiveView(); }
  CMSFlexGrid& Grid() const { return View()->Grid(); }

  // A click on the middle of a cell, scrolled into sight first.
  void Click(int row, int col) const {
    CMSFlexGrid& g = Grid();
    g.scrollTo(g.model()->index(row - 1, col - 1));
    QApplication::processEvents();
    QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, g.CellRect(row, col).center() - g.viewport()->pos());
  }
  // The focused widget; the main window is made active again first when a
  // message box or a dialog has just closed, as a window manager does.
  QWidget* Focus() const {
    if (QApplication::activeWindow() != h_.Frame()) AppHarness::Activate(h_.Frame());
    return QApplication::focusWidget();
  }
  void Type(const QString& text) const {
    for (const QChar c : text) QTest::keyClick(Focus(), c.toLatin1());
  }
  void Press(Qt::Key key, Qt::KeyboardModifiers mods = {}) const { QTest::keyClick(Focus(), key, mods); }
  // Clears the open edit and types `text`.
  void Retype(const QString& text) const {
    Press(Qt::Key_A, Qt::ControlModifier);
    Press(Qt::Key_Delete);
    Type(text);
  }
  // One notch of the mouse wheel over the middle of the grid (down: towards
  // the end of the table).
  void WheelDown() const {
    QWidget* viewport = Grid().viewport();
    const QPointF at = QRectF(viewport->rect()).center();
    QWheelEvent wheel(at, viewport->mapToGlobal(at), QPoint(), QPoint(0, -QWheelEvent::DefaultDeltasPerStep),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(viewport, &wheel);
    QApplication::processEvents();
  }
  std::vector<std::string> RowTexts(int row) const {
    std::vector<std::string> t;
    for (int c = 1; c <= 9; ++c) t.push_back(Grid().TextMatrix(row, c));
    return t;
  }

 private:
  AppHarness& h_;
};

// A message box as the user saw it.
struct SeenBox {
  QString text;
  QString detail;  // the informative text
  QMessageBox::StandardButtons buttons;
  QStringList buttonTexts;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
};

// Answers every message box while it lives: `choose` picks the button to
// press (nullptr: the box's default, else its escape button, else its only
// button). Every box is
// remembered in `seen`.
class BoxAnswerer {
 public:
  using Chooser = std::function<QAbstractButton*(QMessageBox&)>;

  explicit BoxAnswerer(Chooser choose = {}) : choose_(std::move(choose)) {
    timer_.setInterval(10);
    QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
    timer_.start();
  }
  // Presses the standard button `b` of every box that has it (else OK).
  static Chooser Press(QMessageBox::StandardButton b) {
    return [b](QMessageBox& box) {
      QAbstractButton* button = box.button(b);
      return button ? button : box.button(QMessageBox::Ok);
    };
  }
  // Presses the button whose text is `text` (menu markers removed), else OK.
  static Chooser PressText(const QString& text) {
    return [text](QMessageBox& box) -> QAbstractButton* {
      for (QAbstractButton* b : box.buttons())
        if (b->text().remove('&') == text) return b;
      return box.button(QMessageBox::Ok);
    };
  }
  void SetChooser(Chooser choose) { choose_ = std::move(choose); }

  std::vector<SeenBox> seen;

 private:
  void Poll() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box || !box->isVisible() || answering_) return;
    answering_ = true;
    if (QTest::qWaitForWindowExposed(box, 1000) && AppHarness::Activate(box)) {
      SeenBox s{box->text(), box->informativeText(), box->standardButtons(), {}, box->icon()};
      for (QAbstractButton* b : box->buttons()) s.buttonTexts << b->text().remove('&');
      seen.push_back(s);
      QAbstractButton* b = choose_ ? choose_(*box) : nullptr;
      if (!b) b = box->defaultButton() ? box->defaultButton() : box->escapeButton();
      if (!b && box->buttons().size() == 1) b = box->buttons().constFirst();  // a plain notice: its OK
      if (b) {
        b->setFocus();
        QTest::keyClick(b, Qt::Key_Space);
      }
    }
    answering_ = false;
  }

  Chooser choose_;
  QTimer timer_;
  bool answering_ = false;
};

// Answers the next file dialog with `path` typed into its name field (or
// chosen in it) and Enter; an empty path closes it with Escape. `shown`, when
// given, becomes true once the dialog was there.
inline void AnswerFileDialog(const std::string& path, bool* shown = nullptr) {
  AppHarness::WhenModal([path, shown](QWidget* w) {
    auto* dialog = qobject_cast<QFileDialog*>(w);
    if (!dialog) return false;
    if (shown) *shown = true;
    if (path.empty()) {
      QTest::keyClick(dialog, Qt::Key_Escape);
      return true;
    }
    QWidget* focus = dialog->focusWidget();
    if (qobject_cast<QLineEdit*>(focus)) {
      QTest::keyClick(focus, Qt::Key_A, Qt::ControlModifier);
      QTest::keyClicks(focus, QString::fromStdString(path));
    } else {
      dialog->selectFile(QString::fromStdString(path));
    }
    QTest::keyClick(dialog->focusWidget(), Qt::Key_Return);
    // The first Enter may only take the completion the name field offered.
    if (dialog->isVisible()) QTest::keyClick(dialog->focusWidget(), Qt::Key_Return);
    return true;
  });
}

}  // namespace torvan::test
