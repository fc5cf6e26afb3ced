#include "app/channels/RefusedLinesDialog.h"

#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "app/base/AppContext.h"
#include "app/base/CommandIds.h"
#include "app/base/Help.h"

namespace torvan {
namespace {

// The list shows this many lines before it scrolls.
constexpr int kVisibleLines = 12;
constexpr int kListWidthChars = 90;

}  // namespace

CRefusedLinesDialog::CRefusedLinesDialog(const QString& file, const QStringList& refused, int lines,
                                         const AppContext& app, QWidget* parent)
    : QDialog(parent), m_refused(refused) {
  setWindowTitle(tr("Import Channels"));
  SetHelpId(this, cmd::kFileImportChannels);
  InstallHelpKey(this, app, [] { return cmd::kFileImportChannels; });

  auto* question = new QLabel(tr("%1 of the %2 lines of %3 cannot be stored in this radio:")
                                  .arg(refused.size())
                                  .arg(lines)
                                  .arg(file),
                              this);
  question->setWordWrap(true);

  auto* list = new QPlainTextEdit(this);
  list->setReadOnly(true);
  list->setLineWrapMode(QPlainTextEdit::WidgetWidth);  // a reason is read whole, without scrolling sideways
  list->setPlainText(refused.join(QLatin1Char('\n')));
  const QFontMetrics metrics(list->font());
  list->setMinimumSize(metrics.averageCharWidth() * kListWidthChars,
                       metrics.lineSpacing() * std::min<int>(kVisibleLines, static_cast<int>(refused.size()) + 1));

  const bool rest = refused.size() < lines;
  auto* after = new QLabel(rest ? tr("Import the rest leaves the channels of these lines as they are. Cancel imports "
                                     "nothing.")
                                : tr("No line of the file can be imported."),
                           this);
  after->setWordWrap(true);

  auto* buttons = new QDialogButtonBox(this);
  m_import = buttons->addButton(tr("&Import the rest"), QDialogButtonBox::AcceptRole);
  m_cancel = buttons->addButton(QDialogButtonBox::Cancel);
  m_cancel->setText(tr("Cancel"));
  m_import->setEnabled(rest);
  // Enter alone must not import: the default is the answer that changes nothing.
  m_import->setAutoDefault(false);
  m_cancel->setDefault(true);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(question);
  layout->addWidget(list, 1);
  layout->addWidget(after);
  layout->addWidget(buttons);
}

}  // namespace torvan
