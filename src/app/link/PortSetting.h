#pragma once
// The serial port choice, kept per user under the key "Software\<AppName>":
// on Windows in the registry (HKEY_CURRENT_USER), elsewhere in a per-user
// settings file at the same key path (<config>/Software/<AppName>.ini; with an
// empty AppName <config>/Software.ini).
//
//   com   32-bit number: the COM port 1..4 that COM Setup stored, 0 when it was
//         confirmed with none of the four chosen. The program starts with
//         "COM" + its low byte (1 when missing).
//   port  text, only when a port outside COM1..COM4 was chosen: a device name
//         ("/dev/ttyUSB0", "COM7") or kVirtualRadioPort. It takes precedence
//         over "com".
//
// How the four COM choices map to devices: Windows opens COM1..COM4 as they
// are; Linux and other POSIX systems open COMn as /dev/ttyS(n-1), the n-th
// built-in serial port (see PortDevicePath).

#include <QString>
#include <memory>
#include <optional>

class QSettings;

namespace torvan {

// The port name that stands for the virtual radio (torvan-radio-sim started by
// the program). It names no device.
inline constexpr const char* kVirtualRadioPort = "<virtual radio>";

struct PortSetting {
  std::optional<quint32> com;  // value "com"; nullopt when missing or unreadable
  QString port;                // value "port"; empty when missing
};

// Reads the setting of `appName` (the "AppName" of Program.ini's Setup).
PortSetting LoadPortSetting(const QString& appName);

// Stores the choice of COM Setup: "com" := comNumber (0..4), and "port" :=
// `port`, or removes "port" when it is empty. A store that cannot be written
// changes nothing, silently.
void SavePortSetting(const QString& appName, quint32 comNumber, const QString& port);

// Two switches kept under the same key, 1 (on) or 0 (off):
//   backups    keep a backup of every complete read (on when missing);
//   readFirst  before writing a document that was not read from a radio in
//              this run, read and keep the radio's memory first (on when
//              missing).
inline constexpr const char* kBackupsSwitch = "backups";
inline constexpr const char* kReadFirstSwitch = "readFirst";

// The switch `name` of `appName`: `missing` when it is not stored or does
// not read as a number.
bool LoadSwitch(const QString& appName, const char* name, bool missing = true);
// Stores the switch; a store that cannot be written changes nothing, silently.
void SaveSwitch(const QString& appName, const char* name, bool on);

// The key "Software\<appName>" of the current user, where the program keeps
// its settings (other settings of the program live in groups under it).
std::unique_ptr<QSettings> OpenUserKey(const QString& appName);

// The port a new document window starts with: "port" when set, otherwise
// "COM" followed by the low byte of "com" (a missing value counts as 1): 258
// gives "COM2".
QString StartupPortName(const PortSetting& setting);

}  // namespace torvan
