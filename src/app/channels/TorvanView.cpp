#include "app/channels/TorvanView.h"

#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QIcon>
#include <QMenu>
#include <QVBoxLayout>
#include <algorithm>

#include "app/base/AppContext.h"
#include "app/base/CommandIds.h"
#include "app/base/Help.h"
#include "app/radio/TorvanDoc.h"
#include "core/channels/CellRules.h"
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
  // Cells and whole rows are selected for the row and clipboard commands; the
  // current cell shows by its editor. A click on a row number selects the
  // row; the column headers do nothing (no sorting by accident).
  m_grid.setSelectionMode(QAbstractItemView::ExtendedSelection);
  m_grid.verticalHeader()->setSectionsClickable(true);
  m_grid.setContextMenuPolicy(Qt::CustomContextMenu);
  connect(&m_grid, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    if (m_contextMenu) m_contextMenu->exec(m_grid.mapToGlobal(at));
  });
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
  SetMainCaption(QString::fromStdString(MainWindowCaption(name, model, band, lang)));
  RefreshBandMarks();
}

void CTorvanView::EncodeImage() { EncodeImage(m_document.Image()); }

void CTorvanView::SetMainCaption(const QString& caption) {
  m_mainCaption = caption;
  emit mainCaptionChanged(caption);
}

// --- Undo steps -----------------------------------------------------------------

DocumentState CTorvanView::CaptureState(const StepParts& parts) const {
  DocumentState state;
  for (int row : parts.rows) {
    ChannelTexts& texts = state.rows[row];
    for (int c = kColRxFrequency; c <= kColName; ++c) texts[TextIndex(c)] = m_grid.TextMatrix(row, c);
  }
  if (parts.image) state.image = m_document.Image();
  if (parts.bandAndCaption) {
    state.band = m_app.band;
    state.caption = m_mainCaption;
  }
  return state;
}

void CTorvanView::ApplyState(const DocumentState& state, GridCell cell) {
  const bool hadEditor = OpenEditor() != nullptr;
  HideAllEditors();
  m_grid.BeginUpdate();
  for (const auto& [row, texts] : state.rows) {
    for (int c = kColRxFrequency; c <= kColName; ++c) m_grid.SetTextMatrix(row, c, texts[TextIndex(c)]);
  }
  m_grid.EndUpdate();
  if (state.image) m_document.Image() = *state.image;
  if (state.band) m_app.band = *state.band;
  if (state.caption) SetMainCaption(*state.caption);
  if (state.band) {
    RefreshBandMarks();
  } else {
    for (const auto& entry : state.rows) RefreshBandMark(entry.first);
    CountChannelsOutsideBand();
  }
  if (cell.IsCell()) {
    GoToCell(cell);
  } else if (hadEditor) {
    OnEnterCellGrid();  // the editor shows the cell's text as it is now
  }
}

bool CTorvanView::PushStep(const QString& text, DocumentState before, DocumentState after, GridCell cell) {
  if (before == after) return false;
  m_document.UndoStack().push(new DocumentStep(*this, text, std::move(before), std::move(after), cell));
  return true;
}

bool CTorvanView::RecordStep(const QString& text, const StepParts& parts, const std::function<void()>& change,
                             GridCell cell) {
  DocumentState before = CaptureState(parts);
  change();
  DocumentState after = CaptureState(parts);
  if (parts.bandAndCaption) {
    RefreshBandMarks();
  } else {
    for (int row : parts.rows) RefreshBandMark(row);
    CountChannelsOutsideBand();
  }
  return PushStep(text, std::move(before), std::move(after), cell);
}

// --- Channels outside the band ------------------------------------------------------

bool CTorvanView::RefreshBandMark(int row) {
  if (row < 1 || row >= kGridRows) return false;
  const bool used = !m_grid.TextMatrix(row, kColRxFrequency).empty();
  bool outside = false;
  for (int col : {kColRxFrequency, kColTxFrequency}) {
    const std::string text = m_grid.TextMatrix(row, col);
    const bool out = used && !text.empty() && CheckFrequency(ConvertFrequency(text), m_app.band) == MessageId::OutOfRange;
    m_grid.SetCellMark(row, col,
                       out ? tr("Outside the band %1 - %2 MHz: a new value must lie inside it.")
                                 .arg(m_app.band.lowerMHz)
                                 .arg(m_app.band.upperMHz)
                           : QString());
    outside = outside || out;
  }
  m_rowOutsideBand[static_cast<std::size_t>(row)] = outside;
  return outside;
}

void CTorvanView::RefreshBandMarks() {
  m_grid.BeginUpdate();
  for (int row = 1; row < kGridRows; ++row) RefreshBandMark(row);
  m_grid.EndUpdate();
  CountChannelsOutsideBand();
}

void CTorvanView::CountChannelsOutsideBand() {
  const int count = static_cast<int>(std::count(m_rowOutsideBand.begin(), m_rowOutsideBand.end(), true));
  if (count == m_channelsOutsideBand) return;
  m_channelsOutsideBand = count;
  emit channelsOutsideBandChanged(count);
}

void CTorvanView::EncodeImage(RadioImage& image) {
  OnLeaveCellGrid();
  torvan::EncodeImage(m_grid, m_app.band, image);
}

}  // namespace torvan
