#include "app/link/ProgressDialog.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include "app/base/Help.h"
#include "app/base/TitleRoom.h"
#include "app/link/DialogUnits.h"

namespace torvan {
namespace {

constexpr int kFontPointSize = 9;
// The window in dialog units.
constexpr int kWidth = 205;
constexpr int kHeight = 66;
constexpr int kInitialRange = 100;

}  // namespace

CProgressDialog::CProgressDialog(const AppContext& app, QWidget* owner)
    : QDialog(owner),
      m_progress(new QProgressBar(this)),
      m_ok(new QPushButton(tr("OK"), this)),
      m_cancel(new QPushButton(tr("Cancel"), this)),
      m_counter(new QLabel(QStringLiteral("0"), this)),
      m_text(new QLabel(this)) {
  setModal(false);
  setWindowTitle(tr("Process"));
  KeepTitleWhole(this);
  QFont f(QStringLiteral("Times New Roman"), kFontPointSize);
  f.setStyleHint(QFont::Serif);
  setFont(f);

  const DialogUnits du(*this);
  m_ok->setGeometry(du.Rect(23, 40, 42, 14));
  m_ok->setDefault(true);
  m_ok->setAutoDefault(true);
  m_cancel->setGeometry(du.Rect(140, 40, 42, 14));
  m_cancel->setAutoDefault(false);
  m_progress->setGeometry(du.Rect(23, 21, 159, 9));
  m_progress->setTextVisible(false);
  m_counter->setGeometry(du.Rect(83, 40, 40, 14));
  m_counter->setAlignment(Qt::AlignCenter);
  m_counter->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  m_text->setGeometry(du.Rect(23, 5, 159, 13));
  m_text->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  setFixedSize(du.X(kWidth), du.Y(kHeight));

  connect(m_ok, &QPushButton::clicked, this, &CProgressDialog::OnOK);
  connect(m_cancel, &QPushButton::clicked, this, &CProgressDialog::OnCancel);
  InstallHelpKey(this, app, [this] { return m_helpTopic; });
}

void CProgressDialog::Create(const QString& title, const QString& text) {
  m_progress->setRange(0, kInitialRange);
  m_progress->setValue(0);
  m_counter->setText(QStringLiteral("0"));
  m_ok->setEnabled(true);
  SetTexts(title, text);
  m_cancelRequested = false;
  show();
  // Centred over the owner window (the main window), as on every showing.
  if (QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr) {
    move(owner->geometry().center() - rect().center());
  }
  raise();
  activateWindow();
  m_ok->setFocus();
}

void CProgressDialog::SetTexts(const QString& title, const QString& text) {
  setWindowTitle(title);
  m_text->setText(text);
}

void CProgressDialog::Reoffer() {
  m_cancelRequested = false;
  m_ok->setEnabled(true);
  m_ok->setFocus();
}

void CProgressDialog::DestroyWindow() {
  const bool keyboardHere = QApplication::activeWindow() == nullptr || isActiveWindow() ||
                            (windowHandle() && QGuiApplication::focusWindow() == windowHandle());
  hide();
  // The owner takes the keyboard back, so that its accelerators work at once.
  if (keyboardHere && parentWidget()) parentWidget()->window()->activateWindow();
}

void CProgressDialog::SetRange(int maximum) { m_progress->setRange(0, maximum); }

void CProgressDialog::SetPosition(int position) {
  m_progress->setValue(position);
  m_counter->setText(QString::number(position));
}

void CProgressDialog::OnOK() {
  if (!m_ok->isEnabled()) return;  // a transfer runs already: Enter does nothing more
  m_ok->setEnabled(false);
  m_cancel->setFocus();
  emit startRequested();
}

void CProgressDialog::OnCancel() {
  m_cancelRequested = true;
  // Before OK nothing runs: close at once. During the transfer the session
  // closes the window at its next pump step.
  if (m_ok->isEnabled()) DestroyWindow();
}

}  // namespace torvan
