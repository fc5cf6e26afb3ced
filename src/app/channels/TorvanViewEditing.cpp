// The editing part of CTorvanView: the nine in-place editors, opening them over
// the current cell, committing them through the cell rules, and the keys of
// the grid.

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>
#include <QAbstractItemView>
#include <QMessageBox>
#include <QStringListModel>
#include <algorithm>

#include "app/base/AppContext.h"
#include "app/base/CommandIds.h"
#include "app/base/Help.h"
#include "app/channels/ChannelNameValidator.h"
#include "app/channels/TorvanView.h"
#include "app/radio/TorvanDoc.h"
#include "core/radio/NameCodes.h"

namespace torvan {
namespace {

QString Qs(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

QStringList Words(std::initializer_list<Text> texts, DisplayLanguage lang) {
  QStringList words;
  for (Text t : texts) words << Qs(TextFor(t, lang));
  return words;
}

bool IsUndoKey(const QKeyEvent* k) { return k->matches(QKeySequence::Undo); }

bool IsRedoKey(const QKeyEvent* k) {
  const Qt::KeyboardModifiers mods = k->modifiers() & ~Qt::KeypadModifier;
  return k->matches(QKeySequence::Redo) || (mods == Qt::ControlModifier && k->key() == Qt::Key_Y) ||
         (mods == (Qt::ControlModifier | Qt::ShiftModifier) && k->key() == Qt::Key_Z);
}

// Keys that write into a cell: a printable character, Delete, Backspace.
bool IsTypingKey(const QKeyEvent* k) {
  if (k->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
  if (k->key() == Qt::Key_Delete || k->key() == Qt::Key_Backspace) return true;
  const QString t = k->text();
  return !t.isEmpty() && t.at(0).isPrint();
}

}  // namespace

void CTorvanView::CreateEditors() {
  const DisplayLanguage lang = m_app.language;
  const auto makeEdit = [this](int id) {
    auto* e = new QLineEdit(&m_grid);
    e->setFrame(false);
    e->hide();
    SetHelpId(e, id);
    e->installEventFilter(this);
    return e;
  };
  const auto makeList = [this](int id, const QStringList& items, QStringListModel* shared = nullptr) {
    auto* c = new QComboBox(&m_grid);
    c->setFrame(false);
    // In the given order: the lists do not sort.
    if (shared) c->setModel(shared);
    else c->addItems(items);
    c->hide();
    SetHelpId(c, id);
    c->installEventFilter(this);
    // A dropped list takes the keys itself: Enter there must still commit.
    c->view()->installEventFilter(this);
    // A choice made with several rows selected goes into all of them.
    connect(c, &QComboBox::activated, this, [this, c](int item) {
      if (item < 0 || EditorForColumn() != c || SelectedRows().size() < 2) return;
      const std::vector<int> rows = SelectedRows();
      if (!std::binary_search(rows.begin(), rows.end(), m_grid.Row())) return;
      SetInSelectedRows(m_grid.Col(), c->itemText(item));
    });
    return c;
  };

  QStringList tones;
  tones.reserve(static_cast<qsizetype>(m_toneTexts.size()));
  for (const std::string& t : m_toneTexts) tones << QString::fromStdString(t);
  // The two tone lists show the same 261 texts: one list model serves both
  // (each list keeps its own choice), far cheaper than 522 list items.
  auto* toneModel = new QStringListModel(tones, this);

  m_editRxFreq = makeEdit(ctrl::kEditRxFreq);
  m_editTxFreq = makeEdit(ctrl::kEditTxFreq);
  m_comboRxTone = makeList(ctrl::kComboRxTone, {}, toneModel);
  m_comboTxTone = makeList(ctrl::kComboTxTone, {}, toneModel);
  m_comboPower = makeList(ctrl::kComboPower, Words({Text::High, Text::Low}, lang));
  m_comboBandwidth = makeList(ctrl::kComboBandwidth, Words({Text::Wide, Text::Narrow}, lang));
  m_comboBusyLock = makeList(ctrl::kComboBusyLock, Words({Text::Lock, Text::Unlock}, lang));
  m_editName = makeEdit(ctrl::kEditName);
  m_comboScanAdd = makeList(ctrl::kComboScanAdd, Words({Text::Yes, Text::No}, lang));

  m_editName->setMaxLength(kMaxNameLength);
  m_editName->setValidator(new CChannelNameValidator(m_editName));
  m_editName->setText(QString());

  m_grid.installEventFilter(this);
}

QWidget* CTorvanView::EditorForColumn(int col) const {
  switch (col) {
    case kColTxFrequency: return m_editTxFreq;
    case kColRxTone: return m_comboRxTone;
    case kColTxTone: return m_comboTxTone;
    case kColPower: return m_comboPower;
    case kColBusyLock: return m_comboBusyLock;
    case kColScanAdd: return m_comboScanAdd;
    case kColBandwidth: return m_comboBandwidth;
    case kColName: return m_editName;
    default: return m_editRxFreq;
  }
}

QWidget* CTorvanView::OpenEditor() const {
  // "Open" is the editor's own shown state, not whether it is on screen: an
  // editor of a hidden document window still holds what was typed.
  for (int col = kColRxFrequency; col <= kColName; ++col) {
    QWidget* e = EditorForColumn(col);
    if (e && !e->isHidden()) return e;
  }
  return nullptr;
}

bool CTorvanView::IsEditor(const QObject* o) const {
  for (int col = kColRxFrequency; col <= kColName; ++col)
    if (o && EditorForColumn(col) == o) return true;
  return false;
}

// --- Opening ----------------------------------------------------------------------

void CTorvanView::OnEnterCellGrid() {
  QWidget* e = EditorForColumn();
  if (!e || m_passingThrough) return;
  if (!e->isHidden()) {
    // Already open on this cell (a click beside it, a key typed on the grid):
    // keep what was typed.
    e->setFocus();
    return;
  }
  const QString t = m_grid.Text();
  if (auto* list = qobject_cast<QComboBox*>(e)) {
    int found = -1;
    for (int i = 0; i < list->count() && found < 0; ++i)
      if (list->itemText(i).startsWith(t, Qt::CaseInsensitive)) found = i;
    // A cell text that no item begins with (a tone the radio sent that is not
    // in the list, a word of the other language) is shown as it is with no
    // item chosen, and stays unless the user chooses one: merely passing
    // through the cell must not replace it.
    list->setPlaceholderText(found < 0 ? t : QString());
    list->setCurrentIndex(found);
    // Letters typed into the list select by the beginning of an item; a
    // search begins afresh in every cell, however fast the typing.
    list->view()->keyboardSearch(QString());
  } else if (auto* edit = qobject_cast<QLineEdit*>(e)) {
    edit->setText(t);
  }
  PlaceEditor();
}

void CTorvanView::OnMouseDownGrid(Qt::MouseButton, Qt::KeyboardModifiers, int, int) { OnEnterCellGrid(); }

void CTorvanView::PlaceEditor() {
  QWidget* e = EditorForColumn();
  if (!e) return;
  // At most one editor is open.
  for (int col = kColRxFrequency; col <= kColName; ++col) {
    QWidget* other = EditorForColumn(col);
    if (other != e && !other->isHidden()) HideEditor(other);
  }
  const bool opening = e->isHidden();
  if (auto* edit = qobject_cast<QLineEdit*>(e); edit && opening) {
    edit->setText(m_grid.Text());
    edit->selectAll();
  }
  // What the editor showed when it opened: leaving it unchanged commits nothing.
  if (opening) m_openedText = EditorText(e);
  // Over the cell, its grid lines left in sight.
  e->setGeometry(m_grid.showGrid() ? m_grid.CellRect().adjusted(0, 0, -1, -1) : m_grid.CellRect());
  e->show();
  e->raise();
  e->setFocus();
  m_grid.viewport()->update();
}

// --- Committing -------------------------------------------------------------------

void CTorvanView::OnLeaveCellGrid() { CommitEditor(); }

QString CTorvanView::EditorText(const QWidget* editor) const {
  if (const auto* list = qobject_cast<const QComboBox*>(editor)) {
    // No item chosen: the cell keeps the text it had when the list opened.
    return list->currentIndex() < 0 ? list->placeholderText() : list->currentText();
  }
  if (const auto* edit = qobject_cast<const QLineEdit*>(editor)) return edit->text();
  return {};
}

CommitResult CTorvanView::CommitEditor() {
  QWidget* e = EditorForColumn();
  if (!e || e->isHidden() || m_committing) return {};
  const int row = m_grid.Row();
  const int col = m_grid.Col();
  const QString typed = EditorText(e);
  if (typed == m_openedText) {
    // Nothing was changed here: nothing is checked again, so a channel that
    // a band change left outside the band is not refused merely by passing.
    HideEditor(e);
    return {};
  }

  ChannelTexts texts = RowTexts(row);
  const ChannelTexts before = texts;
  const CommitResult result = CommitCell(texts, col, typed.toStdString(), m_app.band, m_app.language);

  // The warning comes first, while the editor still shows what was typed;
  // then the cells change and the editor closes.
  if (result.message) {
    m_committing = true;
    ShowCellWarning(*result.message);
    m_committing = false;
  }
  WriteRow(row, texts);
  HideEditor(e);
  if (texts != before) {
    RefreshBandMark(row);
    CountChannelsOutsideBand();
    DocumentState was;
    was.rows[row] = before;
    DocumentState is;
    is.rows[row] = texts;
    const std::string_view column = ColumnHeader(col, m_app.language);
    PushStep(tr("%1, channel %2")
                 .arg(QString::fromUtf8(column.data(), static_cast<qsizetype>(column.size())),
                      QString::fromStdString(RowLabel(row)).trimmed()),
             std::move(was), std::move(is), GridCell{row, col});
  }
  return result;
}

std::optional<QString> CTorvanView::CommitQuietly(int row, int col, const QString& text) {
  if (row < 1 || row >= kGridRows || col < kColRxFrequency || col > kColName) return {};
  // A text the cell shows already changes nothing and is not checked again,
  // as with an editor left unchanged.
  if (text == m_grid.CellText(row, col)) return {};
  const std::string_view header = ColumnHeader(col, m_app.language);
  const QString where = tr("row %1 %2")
                            .arg(QString::fromStdString(RowLabel(row)).trimmed(),
                                 QString::fromUtf8(header.data(), static_cast<qsizetype>(header.size())));
  // The form the cell's editor gives a text.
  QString formed = text;
  QWidget* editor = EditorForColumn(col);
  if (auto* list = qobject_cast<QComboBox*>(editor)) {
    // A list takes only its own items (in either case); a word of the other
    // language (text from a copy of the program running in it) is taken as
    // the same word in this one.
    // ("无" is None in a tone list and No in Scan Add: the list decides.)
    const QString word = text.trimmed();
    int item = list->findText(word, Qt::MatchFixedString);
    for (Text t : {Text::None, Text::High, Text::Low, Text::Lock, Text::Unlock, Text::Yes, Text::No, Text::Wide,
                   Text::Narrow}) {
      if (item < 0 && IsTextInEitherLanguage(word.toStdString(), t))
        item = list->findText(Qs(TextFor(t, m_app.language)), Qt::MatchFixedString);
    }
    const bool used = !m_grid.TextMatrix(row, kColRxFrequency).empty() || !m_grid.TextMatrix(row, kColTxFrequency).empty();
    if (item < 0 && used) return tr("%1 \"%2\" is not one of its choices").arg(where, text);
    if (item >= 0) formed = list->itemText(item);
  } else if (auto* edit = qobject_cast<QLineEdit*>(editor); edit && edit->validator()) {
    // The name field: at most its length, then its validator, as typing gives it.
    formed.truncate(edit->maxLength());
    int caret = static_cast<int>(formed.size());
    edit->validator()->validate(formed, caret);
  }
  ChannelTexts texts = RowTexts(row);
  const CommitResult result = CommitCell(texts, col, formed.toStdString(), m_app.band, m_app.language);
  WriteRow(row, texts);
  if (!result.message) return {};
  const QString shown = QString::fromStdString(ConvertFrequency(formed.toStdString()).text);
  switch (*result.message) {
    case MessageId::OutOfRange:
      return tr("%1 %2 is outside the band %3-%4 MHz").arg(where, shown).arg(m_app.band.lowerMHz).arg(m_app.band.upperMHz);
    case MessageId::ErrorDataValue:
      return tr("%1 %2 is not on the 2.5 kHz or 6.25 kHz raster").arg(where, shown);
    default:
      return tr("%1 %2: %3").arg(where, shown, m_app.Message(*result.message));
  }
}

bool CTorvanView::EditorChanged(const QWidget* editor) const { return editor && EditorText(editor) != m_openedText; }

bool CTorvanView::UndoTyping() {
  QWidget* e = OpenEditor();
  if (auto* edit = qobject_cast<QLineEdit*>(e)) {
    if (edit->isUndoAvailable()) {
      edit->undo();
      return true;
    }
    if (!EditorChanged(edit)) return false;
    edit->setText(m_openedText);  // changed without a history of its own
    edit->selectAll();
    return true;
  }
  auto* list = qobject_cast<QComboBox*>(e);
  if (!list || !EditorChanged(list)) return false;
  // Back to the item (or the text no item begins with) the list opened on.
  list->setCurrentIndex(list->placeholderText() == m_openedText ? -1 : list->findText(m_openedText));
  return true;
}

void CTorvanView::Undo() {
  if (UndoTyping() || m_document.InTransfer()) return;
  QUndoStack& steps = m_document.UndoStack();
  if (steps.canUndo()) steps.undo();
}

void CTorvanView::Redo() {
  if (auto* edit = qobject_cast<QLineEdit*>(OpenEditor()); edit && edit->isRedoAvailable()) {
    edit->redo();
    return;
  }
  if (EditorChanged(OpenEditor())) {
    // What was typed is the newest change: it goes in, and the steps that
    // were undone before it cannot come back over it.
    CommitEditor();
    return;
  }
  QUndoStack& steps = m_document.UndoStack();
  if (steps.canRedo() && !m_document.InTransfer()) steps.redo();
}

void CTorvanView::GoToCell(GridCell cell) {
  // Straight there: the cells on the way are not opened (nor committed).
  m_passingThrough = true;
  m_grid.SetRow(cell.row);
  m_grid.SetCol(cell.col);
  m_passingThrough = false;
  OnEnterCellGrid();
}

void CTorvanView::ShowCellWarning(MessageId id) {
  QMessageBox box(QMessageBox::Warning, m_app.Message(MessageId::Caution), m_app.Message(id), QMessageBox::Ok, this);
  box.exec();
}

void CTorvanView::HideEditor(QWidget* editor) {
  // While a warning is up, the main window is not active and nothing in it has
  // the focus; the editor is then the widget its window gives the focus back to.
  QWidget* const windowFocus = editor->window()->focusWidget();
  bool hadFocus = editor->hasFocus() || editor->isAncestorOf(QApplication::focusWidget()) ||
                  windowFocus == editor || editor->isAncestorOf(windowFocus);
  if (auto* list = qobject_cast<QComboBox*>(editor)) {
    // A dropped list is a window of its own and holds the focus itself.
    hadFocus = hadFocus || list->view()->isVisible();
    list->hidePopup();
  }
  editor->hide();
  // The keyboard stays with the grid, not with whatever widget comes next.
  if (hadFocus) m_grid.setFocus();
  m_grid.viewport()->update();
}

void CTorvanView::HideAllEditors() {
  for (int col = kColRxFrequency; col <= kColName; ++col) {
    if (QWidget* e = EditorForColumn(col); e && !e->isHidden()) HideEditor(e);
  }
}

void CTorvanView::OnScrollGrid() {
  // The cell moves away under its editor: what was typed goes in as when the
  // cell is left (a refused value shows its warning); the current cell stays.
  // The commit waits until the wheel or scroll bar event is over: a warning
  // must not open in the middle of its delivery.
  m_grid.viewport()->update();
  QWidget* editor = OpenEditor();
  if (!editor || m_scrollCommitQueued) return;
  m_scrollCommitQueued = true;
  const GridCell cell{m_grid.Row(), m_grid.Col()};
  QTimer::singleShot(0, this, [this, editor, cell] {
    m_scrollCommitQueued = false;
    // Only the editor the scroll moved away: one opened since is left alone.
    if (OpenEditor() != editor || m_grid.Row() != cell.row || m_grid.Col() != cell.col) return;
    CommitEditor();
    m_grid.viewport()->update();
  });
}

// --- Keys -------------------------------------------------------------------------

void CTorvanView::OnEnterKey() {
  const int row = m_grid.Row();
  const int col = m_grid.Col();
  if (CommitEditor().testFailed) return;  // stay in the cell that was refused
  MoveToNextCell(row, col);
}

void CTorvanView::MoveToNextCell(int row, int col) {
  if (col < kColName) {
    m_grid.SetCol(col + 1);
  } else if (row < m_grid.Rows() - 1) {
    // Two steps; the cell between them is passed through without opening its
    // editor, so that its text is not committed (and checked) once more.
    m_passingThrough = true;
    m_grid.SetCol(kColRxFrequency);
    m_passingThrough = false;
    m_grid.SetRow(row + 1);
  } else {
    m_passingThrough = true;
    m_grid.SetRow(1);
    m_passingThrough = false;
    m_grid.SetCol(kColRxFrequency);
  }
  OnEnterCellGrid();  // opened already by the move; this focuses it
}

void CTorvanView::MoveToPreviousCell() {
  const int row = m_grid.Row();
  const int col = m_grid.Col();
  if (CommitEditor().testFailed) return;
  if (col > kColRxFrequency) {
    m_grid.SetCol(col - 1);
  } else {
    m_passingThrough = true;
    m_grid.SetCol(kColName);
    m_passingThrough = false;
    m_grid.SetRow(row > 1 ? row - 1 : m_grid.Rows() - 1);
  }
  OnEnterCellGrid();
}

bool CTorvanView::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    if (QComboBox* list = ListOfDroppedView(watched)) return OnDroppedListKey(list, static_cast<QKeyEvent*>(event));
  }
  // Undo and redo in an editor: the edit field would take them for its own
  // typing alone; the view decides (its typing first, then the document).
  if (event->type() == QEvent::ShortcutOverride && IsEditor(watched)) {
    auto* k = static_cast<QKeyEvent*>(event);
    if (IsUndoKey(k) || IsRedoKey(k) || ClipboardKeyForGrid(k)) {
      k->accept();  // the key comes here as a key press, not to a window shortcut
      return true;
    }
  }
  if (event->type() == QEvent::KeyPress && (watched == &m_grid || IsEditor(watched))) {
    auto* k = static_cast<QKeyEvent*>(event);
    if (IsUndoKey(k)) {
      Undo();
      return true;
    }
    if (IsRedoKey(k)) {
      Redo();
      return true;
    }
    if (OnRowKey(watched, k)) return true;
  }
  if (event->type() != QEvent::KeyPress || (watched != &m_grid && !IsEditor(watched)))
    return QWidget::eventFilter(watched, event);
  auto* k = static_cast<QKeyEvent*>(event);
  switch (k->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Tab:
      OnEnterKey();
      return true;
    case Qt::Key_Backtab:
      MoveToPreviousCell();
      return true;
    case Qt::Key_Escape:
      // No key throws away what was typed: the editor stays open as it is.
      return IsEditor(watched);
    default:
      break;
  }
  if (watched == &m_grid && IsTypingKey(k)) {
    // Typing on the grid goes into the current cell's editor, as in a
    // spreadsheet (after a scroll or a refused value closed it).
    OnEnterCellGrid();
    if (QWidget* e = OpenEditor()) {
      QKeyEvent copy(k->type(), k->key(), k->modifiers(), k->text(), k->isAutoRepeat(), k->count());
      QCoreApplication::sendEvent(e, &copy);
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

QComboBox* CTorvanView::ListOfDroppedView(QObject* watched) const {
  for (QComboBox* list : {m_comboRxTone, m_comboTxTone, m_comboPower, m_comboBusyLock, m_comboScanAdd, m_comboBandwidth}) {
    if (list && watched == list->view()) return list;
  }
  return nullptr;
}

bool CTorvanView::OnDroppedListKey(QComboBox* list, QKeyEvent* k) {
  switch (k->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Tab: {
      // One Enter takes the highlighted item, commits and moves on, as it does
      // with the list closed.
      const QModelIndex highlighted = list->view()->currentIndex();
      if (highlighted.isValid()) list->setCurrentIndex(highlighted.row());
      list->hidePopup();
      OnEnterKey();
      return true;
    }
    case Qt::Key_F1:
      // The dropped list is a window of its own: help for the list itself.
      ShowHelp(m_app, HelpIdOf(list));
      return true;
    default:
      return false;
  }
}

}  // namespace torvan
