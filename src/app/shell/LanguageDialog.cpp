#include "app/shell/LanguageDialog.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/product/ProductCatalog.h"
#include "app/base/AppContext.h"
#include "app/base/CommandIds.h"
#include "app/base/Help.h"
#include "app/base/TitleRoom.h"

namespace torvan {
namespace {
constexpr int kEnglish = 0;
constexpr int kChinese = 1;
}  // namespace

CLanguageDialog::CLanguageDialog(AppContext& app, QWidget* parent)
    : QDialog(parent),
      m_app(app),
      m_english(new QRadioButton(tr("English"), this)),
      m_chinese(new QRadioButton(tr("Chinese"), this)) {
  setWindowTitle(tr("Language"));
  KeepTitleWhole(this);
  SetHelpId(this, cmd::kLanguage);
  SetHelpId(m_english, ctrl::kLanguageEnglish);
  SetHelpId(m_chinese, ctrl::kLanguageChinese);

  auto* group = new QButtonGroup(this);
  group->addButton(m_english, kEnglish);
  group->addButton(m_chinese, kChinese);

  auto* box = new QGroupBox(this);
  auto* boxLayout = new QVBoxLayout(box);
  boxLayout->addWidget(m_english);
  boxLayout->addWidget(m_chinese);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &CLanguageDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &CLanguageDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(box);
  layout->addWidget(buttons);

  // F1 anywhere in the dialog: the Language command's topic.
  InstallHelpKey(this, m_app, [] { return cmd::kLanguage; });
}

int CLanguageDialog::exec() {
  const bool chinese = m_app.language == DisplayLanguage::Chinese;
  m_selection = chinese ? kChinese : kEnglish;
  (chinese ? m_chinese : m_english)->setChecked(true);
  return QDialog::exec();
}

void CLanguageDialog::accept() {
  m_selection = m_chinese->isChecked() ? kChinese : kEnglish;
  const bool runningChinese = m_app.language == DisplayLanguage::Chinese;
  if (m_selection != (runningChinese ? kChinese : kEnglish)) {
    m_changed = true;
    m_app.SetLanguageName(runningChinese ? "English" : "Chinese");
  }
  QDialog::accept();
}

void CLanguageDialog::TakeBack() {
  if (!m_changed) return;
  m_app.SetLanguageName(m_app.languageName);
  m_changed = false;
}

}  // namespace torvan
