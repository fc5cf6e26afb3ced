#pragma once
// The numbered string table of a language pack ("61448=Out of range,...").

#include <QHash>
#include <QString>

#include "core/radio/MessageTexts.h"

namespace torvan {

class StringTable {
 public:
  // Reads "id=text" lines (UTF-8). Lines that are not of that form are skipped.
  void Parse(const QByteArray& content);
  void Clear() { texts_.clear(); }
  bool IsEmpty() const { return texts_.isEmpty(); }

  // The pack's text of `id`; the core's text when the pack lacks it, so a
  // message is never shown blank.
  QString Message(MessageId id, DisplayLanguage fallbackLanguage) const;

 private:
  QHash<int, QString> texts_;
};

}  // namespace torvan
