#include "app/product/ProductInfoDialog.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "core/config/IniStore.h"
#include "core/product/MainWindowCaption.h"
#include "core/product/ProductCatalog.h"
#include "core/product/ProductChoice.h"
#include "app/base/AppContext.h"
#include "app/base/CommandIds.h"
#include "app/base/Help.h"
#include "app/base/TitleRoom.h"

namespace torvan {
namespace {

constexpr int kFontPointSize = 9;

QString FromUtf8(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

QLineEdit* MakeEdgeEdit(int controlId, QWidget* parent) {
  auto* edit = new QLineEdit(parent);
  edit->setMaxLength(CProductInfoDialog::kEdgeDigits);
  edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,3}")), edit));
  SetHelpId(edit, controlId);
  return edit;
}

// An edge edit's value: digits only, so only an empty edit has none.
bool ReadEdge(const QLineEdit* edit, unsigned& out) {
  bool ok = false;
  const uint v = edit->text().toUInt(&ok);
  if (ok) out = v;
  return ok;
}

}  // namespace

CProductInfoDialog::CProductInfoDialog(AppContext& app, QWidget* parent)
    : QDialog(parent),
      m_app(app),
      m_type(new QComboBox(this)),
      m_field(new QComboBox(this)),
      m_lower(MakeEdgeEdit(ctrl::kBandLowerEdge, this)),
      m_upper(MakeEdgeEdit(ctrl::kBandUpperEdge, this)) {
  setWindowTitle(tr("Product Information"));
  KeepTitleWhole(this);
  QFont f(QStringLiteral("Times New Roman"), kFontPointSize);
  f.setStyleHint(QFont::Serif);
  setFont(f);
  SetHelpId(m_type, ctrl::kProductType);
  SetHelpId(m_field, ctrl::kProductField);
  m_type->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  m_field->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  const int edgeWidth = fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 12;
  m_lower->setFixedWidth(edgeWidth);
  m_upper->setFixedWidth(edgeWidth);
  // Their room stays while they are hidden, so the dialog does not jump.
  for (QLineEdit* edit : {m_lower, m_upper}) {
    QSizePolicy keep = edit->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    edit->setSizePolicy(keep);
  }

  auto* box = new QGroupBox(tr("Type Setting"), this);
  auto* grid = new QGridLayout(box);
  auto* typeLabel = new QLabel(tr("Type"), box);
  typeLabel->setBuddy(m_type);
  auto* fieldLabel = new QLabel(tr("Field"), box);
  fieldLabel->setBuddy(m_field);
  grid->addWidget(typeLabel, 0, 0);
  grid->addWidget(m_type, 0, 1, 1, 2);
  grid->addWidget(fieldLabel, 1, 0);
  grid->addWidget(m_field, 1, 1, 1, 2);
  auto* edges = new QHBoxLayout;
  edges->addWidget(m_lower);
  edges->addWidget(m_upper);
  edges->addStretch();
  grid->addLayout(edges, 2, 1, 1, 2);
  grid->setColumnStretch(1, 1);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Ok)->setText(tr("OK"));
  buttons->button(QDialogButtonBox::Cancel)->setText(tr("Cancel"));
  connect(buttons, &QDialogButtonBox::accepted, this, &CProductInfoDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &CProductInfoDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(box);
  layout->addWidget(buttons);

  connect(m_type, &QComboBox::currentIndexChanged, this, &CProductInfoDialog::OnTypeChanged);
  connect(m_field, &QComboBox::currentIndexChanged, this, &CProductInfoDialog::ShowCustomEdits);
  // F1: the topic of the focused control.
  InstallHelpKey(this, m_app, [] { return HelpIdOf(QApplication::focusWidget()); });
}

int CProductInfoDialog::Run(RadioImage& image) {
  m_image = &image;
  OnInitDialog();
  const int result = exec();
  m_image = nullptr;
  return result;
}

void CProductInfoDialog::BuildFieldList(int typeIndex, bool selectFirst) {
  const QSignalBlocker quiet(m_field);
  m_field->clear();
  for (const std::string& entry : FieldListEntries(m_app.ini, typeIndex, m_app.language)) m_field->addItem(FromUtf8(entry));
  m_field->setCurrentIndex(selectFirst ? 0 : -1);
}

void CProductInfoDialog::ShowCustomEdits() {
  const bool custom = IsCustomEntry(m_field->currentText().toStdString());
  m_lower->setVisible(custom);
  m_upper->setVisible(custom);
}

void CProductInfoDialog::OnTypeChanged() {
  BuildFieldList(m_type->currentIndex(), true);
  ShowCustomEdits();
}

void CProductInfoDialog::OnInitDialog() {
  {
    const QSignalBlocker quiet(m_type);
    m_type->clear();
    for (const std::string& name : RadioTypeNames(m_app.ini)) m_type->addItem(FromUtf8(name));
    // The image's type, or the first type when the list lacks it.
    m_type->setCurrentIndex(m_image && m_type->count() > 0 ? InitialTypeSelection(m_type->count(), *m_image)
                                                            : (m_type->count() > 0 ? 0 : -1));
  }
  BuildFieldList(m_type->currentIndex(), false);

  // The current band, when the list has it; else the custom entry with the band in its edits.
  const BandLimits band = m_app.band;
  std::vector<std::string> entries;
  for (int i = 0; i < m_field->count(); ++i) entries.push_back(m_field->itemText(i).toStdString());
  const int match = FindBandEntry(entries, band);
  {
    const QSignalBlocker quiet(m_field);
    if (match < 0) {
      m_field->setCurrentIndex(m_field->count() - 1);
      m_lowerMHz = band.lowerMHz;
      m_upperMHz = band.upperMHz;
    } else {
      m_field->setCurrentIndex(match);
    }
  }
  ShowCustomEdits();
  m_lower->setText(QString::number(m_lowerMHz));
  m_upper->setText(QString::number(m_upperMHz));
  m_type->setFocus();
}

void CProductInfoDialog::accept() {
  if (!m_image) return;  // only Run shows the dialog
  const QString& caption = m_app.messageCaption;
  const bool custom = IsCustomEntry(m_field->currentText().toStdString());
  unsigned lower = m_lowerMHz;
  unsigned upper = m_upperMHz;
  const bool lowerRead = ReadEdge(m_lower, lower);
  const bool upperRead = ReadEdge(m_upper, upper);
  if (custom && (!lowerRead || !upperRead)) {
    // An empty edge: nothing is stored until both edges hold a number.
    QMessageBox::warning(this, caption, tr("Please enter both band edges in MHz."));
    (lowerRead ? m_upper : m_lower)->setFocus();
    return;
  }
  m_lowerMHz = lower;
  m_upperMHz = upper;

  ProductChoice choice;
  choice.typeIndex = m_type->currentIndex();
  choice.fieldText = m_field->currentText().toStdString();
  choice.customLower = static_cast<int>(m_lowerMHz);
  choice.customUpper = static_cast<int>(m_upperMHz);
  const Status s = ApplyProductChoice(choice, m_app.language, *m_image, m_app.band);
  if (!s.ok()) {
    QMessageBox::warning(this, caption, QString::fromStdString(s.error()), QMessageBox::Ok);
    return;
  }

  const std::string appName = ProductTextValue(m_app.ini, ProductText::AppName);
  emit mainTitleChanged(QString::fromStdString(
      ProductDialogTitle(appName, m_type->currentText().toStdString(), m_app.band, m_app.language)));
  QDialog::accept();
}

}  // namespace torvan
