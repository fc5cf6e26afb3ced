#include "app/link/ComSetupDialog.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSerialPortInfo>
#include <QVBoxLayout>

#include "app/base/AppContext.h"
#include "app/base/CommandIds.h"
#include "app/base/Help.h"
#include "app/base/TitleRoom.h"
#include "app/link/PortSetting.h"
#include "app/link/TransferController.h"
#include "app/link/VirtualRadio.h"
#include "core/link/SerialPort.h"

namespace torvan {
namespace {

constexpr int kFontPointSize = 9;
constexpr int kPortNameRole = Qt::UserRole;
constexpr int kPortListRows = 4;

// The name a detected port is opened by: "COM7" on Windows, the device path
// elsewhere.
QString OpenName(const QSerialPortInfo& info) {
#ifdef Q_OS_WIN
  return info.portName();
#else
  return info.systemLocation();
#endif
}

bool CanOpen(const QString& name) { return ProbePort(name.toStdString()).ok(); }

}  // namespace

CComSetupDialog::CComSetupDialog(const AppContext& app, TransferController& transfer, QWidget* parent)
    : QDialog(parent),
      m_app(app),
      m_transfer(transfer),
      m_group(new QButtonGroup(this)),
      m_other(new QRadioButton(tr("Other port:"), this)),
      m_otherName(new QLineEdit(this)),
      m_portList(new QListWidget(this)),
      m_virtual(new QRadioButton(tr("Virtual radio"), this)),
      m_virtualNote(new QLabel(this)) {
  setWindowTitle(tr("COM Setup"));
  KeepTitleWhole(this);
  QFont f(QStringLiteral("Times New Roman"), kFontPointSize);
  f.setStyleHint(QFont::Serif);
  setFont(f);
  SetHelpId(this, cmd::kComSetup);

  // COM1 COM2 / COM3 COM4, in two rows.
  auto* comBox = new QGroupBox(tr("COM"), this);
  auto* comGrid = new QGridLayout(comBox);
  for (int i = 0; i < kPortCount; ++i) {
    m_com[i] = new QRadioButton(QStringLiteral("COM%1").arg(i + 1), comBox);
    m_group->addButton(m_com[i], i);
    comGrid->addWidget(m_com[i], i / 2, i % 2);
  }
#ifndef Q_OS_WIN
  auto* mapping = new QLabel(tr("COM1 to COM4 are the built-in serial ports /dev/ttyS0 to /dev/ttyS3."), comBox);
  mapping->setWordWrap(true);
  comGrid->addWidget(mapping, 2, 0, 1, 2);
#endif

  // A USB cable or any other port, and the virtual radio.
  auto* otherBox = new QGroupBox(tr("Other ports"), this);
  auto* otherLayout = new QGridLayout(otherBox);
  m_group->addButton(m_other, kOther);
  m_group->addButton(m_virtual, kVirtual);
  m_otherName->setPlaceholderText(tr("for example /dev/ttyUSB0 or COM7"));
  m_otherName->setMinimumWidth(m_otherName->fontMetrics().horizontalAdvance(m_otherName->placeholderText()) + 16);
  m_portList->setMaximumHeight(m_portList->sizeHintForRow(0) > 0 ? m_portList->sizeHintForRow(0) * (kPortListRows + 1)
                                                                   : fontMetrics().height() * (kPortListRows + 2));
  m_virtualNote->setWordWrap(true);
  otherLayout->addWidget(m_other, 0, 0);
  otherLayout->addWidget(m_otherName, 0, 1);
  otherLayout->addWidget(new QLabel(tr("Ports found on this computer:"), otherBox), 1, 0, 1, 2);
  otherLayout->addWidget(m_portList, 2, 0, 1, 2);
  otherLayout->addWidget(m_virtual, 3, 0, 1, 2);
  otherLayout->addWidget(m_virtualNote, 4, 0, 1, 2);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Ok)->setText(tr("OK"));
  buttons->button(QDialogButtonBox::Cancel)->setText(tr("Cancel"));
  connect(buttons, &QDialogButtonBox::accepted, this, &CComSetupDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &CComSetupDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(comBox);
  layout->addWidget(otherBox);
  layout->addWidget(buttons);

  // Choosing a port of the list, or typing a name, chooses "Other port".
  connect(m_portList, &QListWidget::itemSelectionChanged, this, [this] {
    const QList<QListWidgetItem*> chosen = m_portList->selectedItems();
    if (chosen.isEmpty()) return;
    m_otherName->setText(chosen.constFirst()->data(kPortNameRole).toString());
    m_other->setChecked(true);
  });
  connect(m_otherName, &QLineEdit::textEdited, this, [this] { m_other->setChecked(true); });

  // F1 anywhere in the dialog: the Com Setup command's topic.
  InstallHelpKey(this, m_app, [] { return cmd::kComSetup; });
}

QRadioButton* CComSetupDialog::ComButton(int n) const { return n >= 1 && n <= kPortCount ? m_com[n - 1] : nullptr; }

int CComSetupDialog::exec() {
  OnInitDialog();
  return QDialog::exec();
}

bool CComSetupDialog::VirtualRadioUsable() const {
  if (!VirtualRadio::AvailableIn(m_app.programDir)) return false;
  // While a transfer holds its terminal, it cannot be opened now either.
  const VirtualRadio& radio = m_transfer.Simulator();
  return !radio.Running() || CanOpen(radio.PortName());
}

void CComSetupDialog::FillPortList() {
  m_portList->clear();
  const auto ports = QSerialPortInfo::availablePorts();
  for (const QSerialPortInfo& info : ports) {
    const QString name = OpenName(info);
    QString text = name;
    if (!info.description().isEmpty()) text += QStringLiteral("  ") + info.description();
    if (!info.manufacturer().isEmpty()) text += QStringLiteral(" (") + info.manufacturer() + QStringLiteral(")");
    auto* item = new QListWidgetItem(text, m_portList);
    item->setData(kPortNameRole, name);
    // As with COM1..COM4: a port that cannot be opened now cannot be chosen.
    const Status probe = ProbePort(name.toStdString());
    if (!probe.ok()) {
      item->setFlags(item->flags() & ~Qt::ItemIsEnabled);
      item->setToolTip(QString::fromStdString(probe.error()));
    }
  }
  if (ports.isEmpty()) {
    auto* item = new QListWidgetItem(tr("(none found: type the port's name above)"), m_portList);
    item->setFlags(item->flags() & ~Qt::ItemIsEnabled);
  }
}

void CComSetupDialog::OnInitDialog() {
  for (int n = 1; n <= kPortCount; ++n) m_com[n - 1]->setEnabled(CanOpen(QStringLiteral("com%1").arg(n)));
  FillPortList();

  const bool virtualUsable = VirtualRadioUsable();
  m_virtual->setEnabled(virtualUsable);
  m_virtualNote->setText(virtualUsable ? tr("A radio simulated by torvan-radio-sim, for trying the program without "
                                            "a radio. It keeps its memory while the program runs.")
                                       : tr("Not available: torvan-radio-sim is not installed beside the program."));

  // Nothing checked unless the stored choice can be opened now.
  m_group->setExclusive(false);
  for (QAbstractButton* b : m_group->buttons()) b->setChecked(false);
  m_group->setExclusive(true);
  m_otherName->clear();

  m_checkedCom = -1;
  const PortSetting stored = LoadPortSetting(m_app.AppName());
  if (stored.port == QLatin1String(kVirtualRadioPort)) {
    m_virtual->setChecked(virtualUsable);
  } else if (!stored.port.isEmpty()) {
    m_otherName->setText(stored.port);
    m_other->setChecked(CanOpen(stored.port));
  } else if (stored.com) {
    const quint32 number = *stored.com;
    if (CanOpen(QStringLiteral("COM%1").arg(number)) && number >= 1 && number <= kPortCount) {
      m_checkedCom = static_cast<int>(number) - 1;
      m_com[m_checkedCom]->setChecked(true);
    }
  }
}

void CComSetupDialog::accept() {
  const int checked = m_group->checkedId();
  m_checkedCom = checked >= 0 && checked < kPortCount ? checked : -1;
  QString port;
  if (checked == kOther) {
    port = m_otherName->text().trimmed();
    if (port.isEmpty()) {
      QMessageBox::warning(this, m_app.messageCaption, tr("Choose a port from the list or type its name."));
      m_otherName->setFocus();
      return;
    }
  } else if (checked == kVirtual) {
    // Started now, so that a radio that cannot start is reported here.
    QString device;
    QString error;
    if (!ResolvePortName(m_transfer.Simulator(), QLatin1String(kVirtualRadioPort), device, error)) {
      QMessageBox::warning(this, m_app.messageCaption, error);
      return;
    }
    port = QLatin1String(kVirtualRadioPort);
  }

  m_transfer.SetPort(port.isEmpty() ? QStringLiteral("com%1").arg(m_checkedCom + 1) : port);
  SavePortSetting(m_app.AppName(), static_cast<quint32>(m_checkedCom + 1), port);
  QDialog::accept();
}

}  // namespace torvan
