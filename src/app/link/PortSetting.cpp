#include "app/link/PortSetting.h"

#include <QSettings>
#include <memory>


namespace torvan {
namespace {

constexpr const char* kKeyPrefix = "Software";
constexpr const char* kComValue = "com";
constexpr const char* kPortValue = "port";
constexpr quint32 kDefaultCom = 1;
constexpr quint32 kLowByte = 0xFF;
constexpr qlonglong kMinSigned32 = -0x80000000LL;
constexpr qlonglong kMaxUnsigned32 = 0xFFFFFFFFLL;

}  // namespace

std::unique_ptr<QSettings> OpenUserKey(const QString& appName) {
#ifdef Q_OS_WIN
  auto key = std::make_unique<QSettings>(
      QStringLiteral("HKEY_CURRENT_USER\\%1\\%2").arg(QLatin1String(kKeyPrefix), appName), QSettings::NativeFormat);
#else
  // Organization "Software", application AppName: <config>/Software/AppName.ini,
  // or <config>/Software.ini when AppName is empty (the key "Software\" itself).
  auto key = std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, QLatin1String(kKeyPrefix), appName);
#endif
  // One key only: a value missing under "Software\AppName" is missing, not
  // taken from "Software\" (another AppName's key) or the system scope.
  key->setFallbacksEnabled(false);
  return key;
}

PortSetting LoadPortSetting(const QString& appName) {
  PortSetting s;
  const auto key = OpenUserKey(appName);
  const QVariant com = key->value(QLatin1String(kComValue));
  if (com.isValid()) {
    // A 32-bit value: what does not read as one counts as missing. The
    // Windows registry hands a DWORD back as a signed number, so -1 is
    // 0xFFFFFFFF.
    bool ok = false;
    const qlonglong n = com.toLongLong(&ok);
    if (ok && n >= kMinSigned32 && n <= kMaxUnsigned32) s.com = static_cast<quint32>(n);
  }
  s.port = key->value(QLatin1String(kPortValue)).toString();
  return s;
}

void SavePortSetting(const QString& appName, quint32 comNumber, const QString& port) {
  const auto key = OpenUserKey(appName);
  key->setValue(QLatin1String(kComValue), comNumber);
  if (port.isEmpty()) {
    key->remove(QLatin1String(kPortValue));
  } else {
    key->setValue(QLatin1String(kPortValue), port);
  }
  key->sync();
}

bool LoadSwitch(const QString& appName, const char* name, bool missing) {
  const QVariant value = OpenUserKey(appName)->value(QLatin1String(name));
  bool ok = false;
  const qlonglong n = value.toLongLong(&ok);
  return ok ? n != 0 : missing;
}

void SaveSwitch(const QString& appName, const char* name, bool on) {
  const auto key = OpenUserKey(appName);
  key->setValue(QLatin1String(name), on ? 1 : 0);
  key->sync();
}

QString StartupPortName(const PortSetting& setting) {
  if (!setting.port.isEmpty()) return setting.port;
  return QStringLiteral("COM%1").arg(setting.com.value_or(kDefaultCom) & kLowByte);
}

}  // namespace torvan
