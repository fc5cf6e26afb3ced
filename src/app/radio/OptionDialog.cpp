#include "app/radio/OptionDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QValidator>
#include <QVBoxLayout>

#include "app/base/AppContext.h"
#include "app/base/CommandIds.h"
#include "app/base/Help.h"
#include "app/base/TitleRoom.h"

namespace torvan {
namespace {

constexpr int kFontPointSize = 9;
constexpr int kColumns = 2;

// The lists in the order they stand in the dialog, two columns of label and
// list, filled row by row.
struct ListRow {
  OptionField field;
  int control;  // its help context
  const char* label;
};
constexpr ListRow kListRows[] = {
    {OptionField::Led, ctrl::kOptionLed, QT_TRANSLATE_NOOP("torvan::COptionDialog", "LED")},
    {OptionField::PriScanningTime, ctrl::kOptionPriScanningTime, QT_TRANSLATE_NOOP("torvan::COptionDialog", "Pri-Scanning Time")},
    {OptionField::Step, ctrl::kOptionStep, QT_TRANSLATE_NOOP("torvan::COptionDialog", "Step")},
    {OptionField::PriorityScan, ctrl::kOptionPriorityScan, QT_TRANSLATE_NOOP("torvan::COptionDialog", "Priority Scan")},
    {OptionField::BatterySaver, ctrl::kOptionBatterySaver, QT_TRANSLATE_NOOP("torvan::COptionDialog", "Battery Saver")},
    {OptionField::ScanMode, ctrl::kOptionScanMode, QT_TRANSLATE_NOOP("torvan::COptionDialog", "Scan Mode")},
    {OptionField::EmergencyAlarm, ctrl::kOptionEmergencyAlarm, QT_TRANSLATE_NOOP("torvan::COptionDialog", "Emergency Alarm")},
    {OptionField::ChannelDisplay, ctrl::kOptionChannelDisplay, QT_TRANSLATE_NOOP("torvan::COptionDialog", "Channel Display")},
    {OptionField::KeypadLock, ctrl::kOptionKeypadLock, QT_TRANSLATE_NOOP("torvan::COptionDialog", "Keypad Lock")},
    {OptionField::Beep, ctrl::kOptionBeep, QT_TRANSLATE_NOOP("torvan::COptionDialog", "Beep")},
    {OptionField::SquelchLevel, ctrl::kOptionSquelchLevel, QT_TRANSLATE_NOOP("torvan::COptionDialog", "Squelch Level")},
    {OptionField::AniSwitch, ctrl::kOptionAniSwitch, QT_TRANSLATE_NOOP("torvan::COptionDialog", "ANI Switch")},
    {OptionField::TimeOutTimer, ctrl::kOptionTimeOutTimer, QT_TRANSLATE_NOOP("torvan::COptionDialog", "Time-Out Timer")},
    {OptionField::PttId, ctrl::kOptionPttId, QT_TRANSLATE_NOOP("torvan::COptionDialog", "PTT ID")},
    {OptionField::Mode, ctrl::kOptionMode, QT_TRANSLATE_NOOP("torvan::COptionDialog", "Mode")},
    {OptionField::VoiceSensitivity, ctrl::kOptionVoiceSensitivity, QT_TRANSLATE_NOOP("torvan::COptionDialog", "Voice Sensitivity")},
};
static_assert(std::size(kListRows) == kOptionFieldCount, "every list of the dialog has a row");

// The ANI and Stun codes: hexadecimal digits only, letters shown and stored in
// upper case. Typing or pasting anything else is refused.
class HexCodeValidator : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int&) const override {
    std::string normalized;
    if (!NormalizeOptionCode(input.toStdString(), normalized)) return Invalid;
    input = QString::fromStdString(normalized);
    return Acceptable;
  }
};

QString FromUtf8(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

// A code field holds bytes, each shown as one character.
QString CodeText(const std::string& code) { return QString::fromLatin1(code.data(), static_cast<qsizetype>(code.size())); }
std::string CodeBytes(const QString& text) { return text.toLatin1().toStdString(); }

QLineEdit* MakeCodeEdit(int controlId, QWidget* parent) {
  auto* edit = new QLineEdit(parent);
  edit->setMaxLength(static_cast<int>(kOptionCodeMaxLength));
  edit->setValidator(new HexCodeValidator(edit));
  SetHelpId(edit, controlId);
  return edit;
}

}  // namespace

COptionDialog::COptionDialog(const AppContext& app, QWidget* parent)
    : QDialog(parent),
      m_app(app),
      m_aniCode(MakeCodeEdit(ctrl::kAniCode, this)),
      m_stunCode(MakeCodeEdit(ctrl::kStunCode, this)),
      m_removeStun(new QCheckBox(tr("Remove Stun"), this)) {
  setWindowTitle(tr("Option"));
  KeepTitleWhole(this);
  QFont f(QStringLiteral("Times New Roman"), kFontPointSize);
  f.setStyleHint(QFont::Serif);
  setFont(f);

  auto* grid = new QGridLayout;
  int i = 0;
  for (const ListRow& row : kListRows) {
    auto* list = new QComboBox(this);
    list->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    SetHelpId(list, row.control);
    m_lists[static_cast<std::size_t>(row.field)] = list;
    auto* label = new QLabel(tr(row.label), this);
    label->setBuddy(list);
    const int r = i / kColumns;
    const int c = (i % kColumns) * 2;
    grid->addWidget(label, r, c);
    grid->addWidget(list, r, c + 1);
    ++i;
  }
  int r = (i + kColumns - 1) / kColumns;
  auto* aniLabel = new QLabel(tr("ANI Code"), this);
  aniLabel->setBuddy(m_aniCode);
  grid->addWidget(aniLabel, r, 0);
  grid->addWidget(m_aniCode, r, 1);
  auto* stunLabel = new QLabel(tr("Stun Code"), this);
  stunLabel->setBuddy(m_stunCode);
  grid->addWidget(stunLabel, r, 2);
  grid->addWidget(m_stunCode, r, 3);
  ++r;
  grid->addWidget(m_removeStun, r, 2, 1, 2);
  SetHelpId(m_removeStun, ctrl::kRemoveStun);
  grid->setColumnMinimumWidth(1, fontMetrics().horizontalAdvance(QStringLiteral("Frequency")) * 3 / 2);
  grid->setColumnMinimumWidth(3, fontMetrics().horizontalAdvance(QStringLiteral("Frequency")) * 3 / 2);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Ok)->setText(tr("OK"));
  buttons->button(QDialogButtonBox::Cancel)->setText(tr("Cancel"));
  connect(buttons, &QDialogButtonBox::accepted, this, &COptionDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &COptionDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addWidget(buttons);

  connect(m_removeStun, &QCheckBox::clicked, this, &COptionDialog::OnRemoveStun);
  // A Step byte the list lacks shows as the first entry and is kept on OK,
  // unless the user picks an entry (the first one included).
  connect(List(OptionField::Step), &QComboBox::activated, this, [this] { m_stepPicked = true; });
  // F1: the topic of the focused control.
  InstallHelpKey(this, m_app, [] { return HelpIdOf(QApplication::focusWidget()); });
}

int COptionDialog::Run(RadioImage& image) {
  m_image = &image;
  OnInitDialog();
  const int result = exec();
  m_image = nullptr;
  return result;
}

void COptionDialog::OnInitDialog() {
  for (const OptionField field : kAllOptionFields) {
    QComboBox* list = List(field);
    list->clear();
    for (const std::string& word : OptionListTexts(field, m_app.language)) list->addItem(FromUtf8(word));
  }
  m_stepPicked = false;
  if (!m_image) return;
  const OptionValues values = ReadOptions(*m_image);
  for (const OptionField field : kAllOptionFields) List(field)->setCurrentIndex(values[field]);
  m_aniCode->setText(CodeText(values.aniCode));
  m_stunCode->setText(CodeText(values.stunCode));
  m_removeStun->setChecked(values.removeStun);
  List(kListRows[0].field)->setFocus();
}

void COptionDialog::OnRemoveStun() {
  // Once checked, the box stays checked for the rest of the dialog.
  if (!m_removeStun->isChecked()) m_removeStun->setChecked(true);
}

void COptionDialog::accept() {
  if (m_image) {
    OptionValues values;
    for (const OptionField field : kAllOptionFields) values[field] = List(field)->currentIndex();
    values.aniCode = CodeBytes(m_aniCode->text());
    values.stunCode = CodeBytes(m_stunCode->text());
    values.removeStun = m_removeStun->isChecked();
    values.stepPicked = m_stepPicked;
    WriteOptions(values, *m_image);
  }
  QDialog::accept();
}

}  // namespace torvan
