#include "app/base/LanguagePack.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QResource>
#include <QTranslator>

namespace torvan {
namespace {

constexpr const char* kPackSuffix = ".rcc";
constexpr const char* kRoot = ":/torvan/";
// The translations a pack may carry: the program's own and Qt's (buttons of
// message boxes and standard dialogs).
constexpr const char* kTranslations[] = {"translations/torvan.qm", "translations/qtbase.qm"};

}  // namespace

LanguagePack::LanguagePack() = default;

LanguagePack::~LanguagePack() { Unload(); }

QString LanguagePack::Find(const QString& dir, const QString& languageName) {
  const QString wanted = languageName + kPackSuffix;
  const QDir d(dir);
  if (QFileInfo(d.filePath(wanted)).isFile()) return d.filePath(wanted);
  // File names of the language setting do not depend on case (as on Windows).
  const QStringList candidates = d.entryList({QStringLiteral("*") + kPackSuffix}, QDir::Files);
  for (const QString& name : candidates) {
    if (name.compare(wanted, Qt::CaseInsensitive) == 0) return d.filePath(name);
  }
  return {};
}

bool LanguagePack::Load(const QString& packPath) {
  Unload();
  if (packPath.isEmpty() || !QFileInfo(packPath).isFile()) return false;
  if (!QResource::registerResource(packPath)) return false;
  path_ = packPath;

  for (const char* name : kTranslations) {
    const QString file = QString::fromLatin1(kRoot) + QLatin1String(name);
    if (!QFile::exists(file)) continue;
    auto tr = std::make_unique<QTranslator>();
    if (tr->load(file) && QCoreApplication::installTranslator(tr.get())) translators_.push_back(std::move(tr));
  }

  QFile table(QString::fromLatin1(kRoot) + QStringLiteral("strings.txt"));
  if (table.open(QIODevice::ReadOnly)) strings_.Parse(table.readAll());
  return true;
}

void LanguagePack::Unload() {
  // Translators first: a pack cannot be unregistered while a translator reads from it.
  for (auto& tr : translators_) QCoreApplication::removeTranslator(tr.get());
  translators_.clear();
  strings_.Clear();
  if (!path_.isEmpty()) {
    QResource::unregisterResource(path_);
    path_.clear();
  }
}

QPixmap LanguagePack::Picture(const QString& name) {
  QPixmap pm;
  pm.load(QString::fromLatin1(kRoot) + QStringLiteral("pictures/") + name + QStringLiteral(".png"));
  return pm;
}

QCursor LanguagePack::SizingCursor() {
  const QPixmap pm = Picture(QStringLiteral("sizing"));
  if (pm.isNull()) return QCursor(Qt::SplitHCursor);
  return QCursor(pm, pm.width() / 2, pm.height() / 2);
}

}  // namespace torvan
