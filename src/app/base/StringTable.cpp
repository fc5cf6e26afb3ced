#include "app/base/StringTable.h"

#include <QList>

namespace torvan {

void StringTable::Parse(const QByteArray& content) {
  for (const QByteArray& rawLine : content.split('\n')) {
    const QByteArray line = rawLine.endsWith('\r') ? rawLine.chopped(1) : rawLine;
    const qsizetype eq = line.indexOf('=');
    if (eq <= 0) continue;
    bool ok = false;
    const int id = line.left(eq).trimmed().toInt(&ok);
    if (!ok) continue;
    texts_.insert(id, QString::fromUtf8(line.mid(eq + 1)));
  }
}

QString StringTable::Message(MessageId id, DisplayLanguage fallbackLanguage) const {
  const auto it = texts_.constFind(static_cast<int>(id));
  if (it != texts_.cend()) return *it;
  const std::string_view s = MessageText(id, fallbackLanguage);
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

}  // namespace torvan
