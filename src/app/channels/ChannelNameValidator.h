#pragma once
// What the channel-name editor lets through: letters turn to upper case, and
// characters that the radio has no name code for (blanks, punctuation other
// than "-" and "_", anything beyond ASCII) are dropped as they are typed or
// pasted. Such a character would otherwise end the stored name silently at
// the next save, cutting off everything after it.

#include <QValidator>

namespace torvan {

class CChannelNameValidator : public QValidator {
  Q_OBJECT
 public:
  using QValidator::QValidator;

  // Rewrites `input` to the name alphabet (upper case, unknown characters
  // removed, `pos` moved with the text before it). Always Acceptable.
  State validate(QString& input, int& pos) const override;
};

}  // namespace torvan
