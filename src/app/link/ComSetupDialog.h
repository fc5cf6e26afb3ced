#pragma once
// CComSetupDialog: Setup > Com Setup, the serial port of the next transfer.
//
// COM1..COM4 (each disabled when it cannot be opened at the moment the
// dialog opens), and for cables that are not COM1..COM4 on
// this system: every port the system reports, with its description (or one
// typed by name: "/dev/ttyUSB0", "COM7", a pseudo-terminal), and the virtual
// radio. The stored choice is checked only when it can be opened now. OK sets
// the port of the next transfer and stores the choice (link/PortSetting.h);
// Cancel changes nothing. F1 opens the help of the Com Setup command.

#include <QDialog>
#include <QString>

class QButtonGroup;
class QLabel;
class QLineEdit;
class QListWidget;
class QRadioButton;

namespace torvan {

struct AppContext;
class TransferController;

class CComSetupDialog : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kPortCount = 4;  // COM1..COM4

  // OK sets the port of `transfer`'s next transfer; the virtual radio is the
  // one `transfer` keeps.
  CComSetupDialog(const AppContext& app, TransferController& transfer, QWidget* parent);

  // Opens the dialog modally: probes the ports, checks the stored choice.
  int exec() override;

  // The checked COM button: 0 (COM1) .. 3 (COM4), -1 when none is.
  int CheckedCom() const { return m_checkedCom; }

  QRadioButton* ComButton(int n) const;  // n = 1..4
  QRadioButton* OtherButton() const { return m_other; }
  QLineEdit* OtherName() const { return m_otherName; }
  QListWidget* PortList() const { return m_portList; }
  QRadioButton* VirtualButton() const { return m_virtual; }

 public slots:
  // OK: sets the port of the next transfer and stores the choice.
  void accept() override;

 private:
  enum Choice { kOther = kPortCount, kVirtual = kPortCount + 1 };

  void OnInitDialog();
  void FillPortList();
  bool VirtualRadioUsable() const;

  const AppContext& m_app;
  TransferController& m_transfer;
  int m_checkedCom = -1;
  QButtonGroup* m_group;
  QRadioButton* m_com[kPortCount];
  QRadioButton* m_other;
  QLineEdit* m_otherName;
  QListWidget* m_portList;
  QRadioButton* m_virtual;
  QLabel* m_virtualNote;
};

}  // namespace torvan
