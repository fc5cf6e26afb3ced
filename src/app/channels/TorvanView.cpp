#include "app/channels/TorvanView.h"

#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QVBoxLayout>

#include "app/base/AppContext.h"
#include "app/base/CommandIds.h"
#include "app/base/Help.h"
#include "app/radio/TorvanDoc.h"
#include "core/config/IniStore.h"
#include "core/product/MainWindowCaption.h"
#include "core/product/ProductCatalog.h"
#include "core/radio/ChannelCodec.h"
#include "core/radio/ToneTable.h"

namespace torvan {
namespace {

// Column widths as multiples of the grid's default width, columns 0..9.
constexpr double kColWidthFactors[kGridCols] = {0.4, 1.1, 1.1, 1.0, 1.0, 0.9, 0.9, 0.9, 1.0, 1.0};
constexpr const char* kFrameIconFile = "title.ico";
constexpr int kGridFontPointSize = 9;
constexpr int kFormMarginX = 12;
constexpr int kFormMarginY = 10;

}  // namespace

CTorvanView::CTorvanView(CTorvanDoc& doc, AppContext& app, QWidget* parent)
    : QWidget(parent), m_document(doc), m_app(app), m_grid(this) {

  QFont font(QStringLiteral("Times New Roman"), kGridFontPointSize);
  font.setStyleHint(QFont::Serif);
  setFont(font);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(kFormMarginX, kFormMarginY, kFormMarginX, kFormMarginY);
  layout->addWidget(&m_grid);
  SetHelpId(&m_grid, ctrl::kGrid);

  connect(&m_grid, &CMSFlexGrid::enterCell, this, &CTorvanView::OnEnterCellGrid);
  connect(&m_grid, &CMSFlexGrid::leaveCell, this, &CTorvanView::OnLeaveCellGrid);
  connect(&m_grid, &CMSFlexGrid::mouseDown, this, &CTorvanView::OnMouseDownGrid);
  connect(&m_grid, &CMSFlexGrid::scroll, this, &CTorvanView::OnScrollGrid);
  // The grid holds the edits: a save takes them into the image first.
  connect(&doc, &CTorvanDoc::aboutToSave, this, qOverload<>(&CTorvanView::EncodeImage));
}

void CTorvanView::OnInitialUpdate() {
  if (!m_gridSetUp) {
    SetUpGrid();
    m_gridSetUp = true;
  }
  // The frame icon: "title.ico" of the current folder, when there is one.
  const QString icoPath = QDir::current().filePath(QString::fromLatin1(kFrameIconFile));
  if (QFileInfo(icoPath).isFile()) {
    const QIcon icon(icoPath);
    if (!icon.isNull() && parentWidget()) parentWidget()->setWindowIcon(icon);
  }
  DecodeImage();
}

void CTorvanView::SetUpGrid() {
  const DisplayLanguage lang = m_app.language;
  m_toneTexts = LoadToneTexts(lang);

  m_grid.BeginUpdate();
  m_grid.SetRows(kGridRows);
  m_grid.SetCols(kGridCols);
  m_grid.setSelectionMode(QAbstractItemView::NoSelection);  // the current cell shows by its editor
  m_grid.SetForeColorFixed(QColor(kFixedTextColor));
  CreateEditors();

  for (int col = 0; col < kGridCols; ++col) {
    const std::string_view h = ColumnHeader(col, lang);
    m_grid.SetCellText(0, col, QString::fromUtf8(h.data(), static_cast<qsizetype>(h.size())));
  }
  for (int row = 1; row < kGridRows; ++row) m_grid.SetCellText(row, 0, QString::fromStdString(RowLabel(row)));
  for (int col = 0; col < kGridCols; ++col) m_grid.SetColAlignment(col, Qt::AlignCenter);
  for (int col = 0; col < kGridCols; ++col)
    m_grid.SetColWidth(col, static_cast<int>(CMSFlexGrid::kDefaultColWidth * kColWidthFactors[col]));
  m_grid.EndUpdate();
}

void CTorvanView::DecodeImage() {
  const DisplayLanguage lang = m_app.language;
  HideAllEditors();  // the image replaces every cell: nothing typed before is committed over it
  m_grid.BeginUpdate();
  const BandLimits band = torvan::DecodeImage(m_document.Image(), m_grid, lang);
  m_grid.EndUpdate();
  m_app.band = band;

  const std::string model = RadioModelName(m_app.ini, m_document.Image());
  const std::string name = ProductTextValue(m_app.ini, ProductText::AppName);
  emit mainCaptionChanged(QString::fromStdString(MainWindowCaption(name, model, band, lang)));
}

void CTorvanView::EncodeImage() { EncodeImage(m_document.Image()); }

void CTorvanView::EncodeImage(RadioImage& image) {
  OnLeaveCellGrid();
  torvan::EncodeImage(m_grid, m_app.band, image);
}

}  // namespace torvan
