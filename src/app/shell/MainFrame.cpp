#include "app/shell/MainFrame.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPrinter>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>
#include <QUndoGroup>
#include <QUrl>
#include <algorithm>

#include "app/base/AppContext.h"
#include "app/base/CommandIds.h"
#include "app/base/Help.h"
#include "app/base/LanguagePack.h"
#include "app/channels/ChannelListFiles.h"
#include "app/channels/ChildFrame.h"
#include "app/channels/TorvanView.h"
#include "app/link/ComSetupDialog.h"
#include "app/link/ProgressDialog.h"
#include "app/link/ReadBackupKeeper.h"
#include "app/link/TransferController.h"
#include "app/product/ProductInfoDialog.h"
#include "app/radio/OptionDialog.h"
#include "app/radio/TorvanDoc.h"
#include "app/shell/AboutDialog.h"
#include "app/shell/BackgroundClient.h"
#include "app/shell/BackupOpening.h"
#include "app/shell/LanguageDialog.h"
#include "app/shell/NavigatorBar.h"
#include "app/shell/RecentFileList.h"
#include "qtprint/ReportDialogs.h"

namespace torvan {
namespace {

constexpr const char* kCommandIdProperty = "torvanCommandId";
constexpr int kToolbarIconSize = 16;

}  // namespace

CMainFrame::CMainFrame(AppContext& app, QWidget* parent)
    : QMainWindow(parent), m_app(app), m_transfer(std::make_unique<TransferController>(app, this)) {
  setWindowTitle(QStringLiteral("Torvan"));
  setWindowIcon(LanguagePack::Icon(QStringLiteral("app")));
  resize(kInitialWidth, kInitialHeight);
  setAcceptDrops(true);

  m_mdiClient = new CBackgroundClient(this);
  setCentralWidget(m_mdiClient);
  connect(m_mdiClient, &QMdiArea::subWindowActivated, this, &CMainFrame::OnSubWindowActivated);

  m_undoGroup = new QUndoGroup(this);
  CreateMenusAndToolbar();
  CreateNavigatorBar();
  m_bandNote = new QLabel(this);
  m_bandNote->setStyleSheet(QStringLiteral("QLabel { color: #dc0000; }"));  // the colour of the marked cells
  m_bandNote->hide();
  statusBar()->addPermanentWidget(m_bandNote);
  statusBar()->showMessage(tr("Ready"));
  // The idle text comes back whenever a command's tip or a notice is gone.
  connect(statusBar(), &QStatusBar::messageChanged, this, [this](const QString& message) {
    if (message.isEmpty()) statusBar()->showMessage(tr("Ready"));
  });

  // F1 outside dialogs: the topic of the focused control, else the contents.
  InstallHelpKey(this, m_app, [] { return HelpIdOf(QApplication::focusWidget()); });
  connect(m_transfer.get(), &TransferController::runningChanged, this, &CMainFrame::OnTransferRunning);
  // A transfer's end is said in the status bar, until something else is.
  connect(m_transfer.get(), &TransferController::transferEnded, this,
          [this](const QString& message) { statusBar()->showMessage(message); });
  // A read replaces the document's channels: unsaved changes are asked about first.
  m_transfer->SetBeforeRead([this](CTorvanView& view) {
    for (CChildFrame* frame : ChildFrames())
      if (frame->View() == &view) return AskToSave(frame);
    return true;
  });
}

CMainFrame::~CMainFrame() {
  // The MDI area outlives this frame's own members while Qt tears the window
  // down, and it still reports activations: it must not call back into a
  // frame that is half destroyed.
  disconnect(m_mdiClient, nullptr, this, nullptr);
  // So must the undo group, which hears of each document's stack as it goes.
  disconnect(m_undoGroup, nullptr, this, nullptr);
  // The controller goes before the windows it watches.
  m_transfer.reset();
  // And the active document, whose stack turns clean as it is destroyed; no
  // later activation may follow another one.
  m_tearingDown = true;
  disconnect(m_followModified);
  disconnect(m_followBand);
}

QAction* CMainFrame::MakeAction(int id, const QString& text, const QString& tip, const QKeySequence& key,
                                const QString& picture) {
  auto* a = new QAction(text, this);
  a->setProperty(kCommandIdProperty, id);
  a->setStatusTip(tip);
  if (!key.isEmpty()) {
    a->setShortcut(key);
    a->setShortcutContext(Qt::WindowShortcut);
  }
  if (!picture.isEmpty()) a->setIcon(LanguagePack::Icon(picture));
  m_actions.insert(id, a);
  return a;
}

void CMainFrame::CreateMenusAndToolbar() {
  // File
  QMenu* file = menuBar()->addMenu(tr("&File"));
  file->addAction(MakeAction(cmd::kFileNew, tr("&New\tCtrl+N"), tr("Create a new document"),
                             QKeySequence(Qt::CTRL | Qt::Key_N), QStringLiteral("new")));
  file->addAction(MakeAction(cmd::kFileOpen, tr("&Open...\tCtrl+O"), tr("Open an existing document"),
                             QKeySequence(Qt::CTRL | Qt::Key_O), QStringLiteral("open")));
  file->addAction(MakeAction(cmd::kFileOpenBackup, tr("Open &Backup..."),
                             tr("Open a backup of the memory of a radio read")));
  file->addAction(MakeAction(cmd::kFileClose, tr("&Close"), tr("Close the active document")));
  file->addAction(MakeAction(cmd::kFileSave, tr("&Save\tCtrl+S"), tr("Save the active document"),
                             QKeySequence(Qt::CTRL | Qt::Key_S), QStringLiteral("save")));
  file->addAction(MakeAction(cmd::kFileSaveAs, tr("Save &As..."), tr("Save the active document with a new name")));
  AddChannelListCommands(file);
  file->addSeparator();
  file->addAction(MakeAction(cmd::kFilePrint, tr("&Print...\tCtrl+P"), tr("Print the active document"),
                             QKeySequence(Qt::CTRL | Qt::Key_P), QStringLiteral("print")));
  file->addAction(MakeAction(cmd::kFilePrintPreview, tr("Print Pre&view"), tr("Display full pages")));
  file->addAction(MakeAction(cmd::kFilePrintSetup, tr("P&rint Setup..."), tr("Change the printer and printing options")));
  file->addSeparator();
  file->addAction(MakeAction(cmd::kAppExit, tr("E&xit"), tr("Quit the application")));
  CreateRecentFileMenu(file);

  // Edit: undo and redo, then the three pages.
  QMenu* edit = menuBar()->addMenu(tr("&Edit"));
  QAction* undo = MakeAction(cmd::kEditUndo, tr("&Undo\tCtrl+Z"), tr("Undo the last change"),
                             QKeySequence(Qt::CTRL | Qt::Key_Z), QStringLiteral("undo"));
  QAction* redo = MakeAction(cmd::kEditRedo, tr("&Redo\tCtrl+Y"), tr("Redo the change undone last"),
                             QKeySequence(Qt::CTRL | Qt::Key_Y), QStringLiteral("redo"));
  redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
  edit->addAction(undo);
  edit->addAction(redo);
  edit->addSeparator();
  AddRowCommands(edit);
  edit->addSeparator();
  edit->addAction(MakeAction(cmd::kProductInformation, tr("&Product Information"),
                             tr("Choose the radio type and its frequency band")));
  edit->addAction(MakeAction(cmd::kChannelInformation, tr("&Channel Information"), tr("Show the channel table")));
  edit->addAction(MakeAction(cmd::kOptionalFeatures, tr("&Optional Features"), tr("Edit the radio's optional features")));

  // Program: transfers with the radio.
  QMenu* program = menuBar()->addMenu(tr("&Program"));
  program->addAction(MakeAction(cmd::kRead, tr("&Read    Ctrl+R"), tr("Read the radio's memory"), {},
                                QStringLiteral("read")));
  program->addAction(MakeAction(cmd::kWrite, tr("&Write   Ctrl+W"), tr("Write the memory to the radio"), {},
                                QStringLiteral("write")));
  // The accelerators of Read and Write are part of their menu text; the keys
  // themselves act through window shortcuts on the same actions, also while
  // the progress window has the keyboard.
  QList<QAction*> transferKeys;
  for (const auto& [id, key] : {std::pair{cmd::kRead, Qt::Key_R}, std::pair{cmd::kWrite, Qt::Key_W}}) {
    QAction* a = Action(id);
    auto* sc = new QAction(this);
    sc->setShortcut(QKeySequence(Qt::CTRL | key));
    sc->setShortcutContext(Qt::WindowShortcut);
    connect(sc, &QAction::triggered, a, [a] {
      if (a->isEnabled()) a->trigger();
    });
    addAction(sc);
    transferKeys << sc;
  }
  m_transfer->SetTransferKeys(transferKeys);

  // View
  QMenu* view = menuBar()->addMenu(tr("&View"));
  auto* toolbar = addToolBar(tr("Toolbar"));
  toolbar->setObjectName(QStringLiteral("Toolbar"));
  toolbar->setIconSize(QSize(kToolbarIconSize, kToolbarIconSize));
  toolbar->setMovable(false);
  QAction* toggleToolbar = toolbar->toggleViewAction();
  toggleToolbar->setText(tr("&Toolbar"));
  toggleToolbar->setStatusTip(tr("Show or hide the toolbar"));
  toggleToolbar->setProperty(kCommandIdProperty, cmd::kViewToolbar);
  m_actions.insert(cmd::kViewToolbar, toggleToolbar);
  view->addAction(toggleToolbar);
  QAction* toggleStatus = MakeAction(cmd::kViewStatusBar, tr("&Status Bar"), tr("Show or hide the status bar"));
  toggleStatus->setCheckable(true);
  toggleStatus->setChecked(true);
  connect(toggleStatus, &QAction::toggled, statusBar(), &QWidget::setVisible);
  view->addAction(toggleStatus);
  // View > Control Bar is added with the navigation bar.

  // Setup
  m_setupMenu = menuBar()->addMenu(tr("&Setup"));
  m_setupMenu->addAction(MakeAction(cmd::kComSetup, tr("&Com Setup"), tr("Choose the serial port of the radio")));
  QAction* backups = MakeAction(cmd::kBackupReads, tr("Keep a &Backup of Every Read"),
                                tr("Keep the memory of every radio read in the backup folder"));
  backups->setCheckable(true);
  backups->setChecked(BackupsOn(m_app));
  connect(backups, &QAction::toggled, this, [this](bool on) { SetBackupsOn(m_app, on); });
  m_setupMenu->addAction(backups);
  m_setupMenu->addAction(MakeAction(cmd::kLanguage, tr("&Language"), tr("Choose the language of the program")));

  // Help
  m_helpMenu = menuBar()->addMenu(tr("&Help"));
  m_helpMenu->addAction(MakeAction(cmd::kAppAbout, tr("&About Torvan..."),
                                   tr("Display program information, version number and copyright"), {},
                                   QStringLiteral("about")));

  m_menus = {file, edit, program, view, m_setupMenu, m_helpMenu};
  for (QMenu* m : m_menus) m->installEventFilter(this);  // F1 on a menu item

  // Toolbar: New, Open, Save | Undo, Redo | Read, Write | Print | About.
  for (int id : {cmd::kFileNew, cmd::kFileOpen, cmd::kFileSave}) toolbar->addAction(Action(id));
  toolbar->addSeparator();
  for (int id : {cmd::kEditUndo, cmd::kEditRedo}) toolbar->addAction(Action(id));
  toolbar->addSeparator();
  for (int id : {cmd::kRead, cmd::kWrite}) toolbar->addAction(Action(id));
  toolbar->addSeparator();
  toolbar->addAction(Action(cmd::kFilePrint));
  toolbar->addSeparator();
  toolbar->addAction(Action(cmd::kAppAbout));
  // Toolbar tips: the command's name without menu markers.
  const QHash<int, QString> tips = {
      {cmd::kFileNew, tr("New")},     {cmd::kFileOpen, tr("Open")},   {cmd::kFileSave, tr("Save")},
      {cmd::kEditUndo, tr("Undo")},   {cmd::kEditRedo, tr("Redo")},
      {cmd::kRead, tr("Read")},       {cmd::kWrite, tr("Write")},     {cmd::kFilePrint, tr("Print")},
      {cmd::kAppAbout, tr("About")},
  };
  for (auto it = tips.cbegin(); it != tips.cend(); ++it) Action(it.key())->setToolTip(it.value());

  // Next and previous document window.
  auto* next = MakeAction(cmd::kNextPane, tr("Next Pane"), {}, QKeySequence(Qt::Key_F6));
  auto* prev = MakeAction(cmd::kPrevPane, tr("Previous Pane"), {}, QKeySequence(Qt::SHIFT | Qt::Key_F6));
  addAction(next);
  addAction(prev);
  connect(next, &QAction::triggered, m_mdiClient, &QMdiArea::activateNextSubWindow);
  connect(prev, &QAction::triggered, m_mdiClient, &QMdiArea::activatePreviousSubWindow);

  connect(Action(cmd::kFileNew), &QAction::triggered, this, &CMainFrame::OnFileNew);
  connect(Action(cmd::kFileOpen), &QAction::triggered, this, &CMainFrame::OnFileOpen);
  connect(Action(cmd::kFileOpenBackup), &QAction::triggered, this, [this] { OpenBackup(*this, m_app); });
  connect(Action(cmd::kFileClose), &QAction::triggered, this, &CMainFrame::OnFileClose);
  connect(Action(cmd::kFileSave), &QAction::triggered, this, &CMainFrame::OnFileSave);
  connect(Action(cmd::kFileSaveAs), &QAction::triggered, this, &CMainFrame::OnFileSaveAs);
  connect(Action(cmd::kEditUndo), &QAction::triggered, this, &CMainFrame::OnEditUndo);
  connect(Action(cmd::kEditRedo), &QAction::triggered, this, &CMainFrame::OnEditRedo);
  for (auto changed : {&QUndoGroup::canUndoChanged, &QUndoGroup::canRedoChanged})
    connect(m_undoGroup, changed, this, &CMainFrame::ShowUndoState);
  for (auto changed : {&QUndoGroup::undoTextChanged, &QUndoGroup::redoTextChanged})
    connect(m_undoGroup, changed, this, &CMainFrame::ShowUndoState);
  connect(Action(cmd::kAppExit), &QAction::triggered, this, &QWidget::close);
  connect(Action(cmd::kAppAbout), &QAction::triggered, this, &CMainFrame::OnAppAbout);
  connect(Action(cmd::kChannelInformation), &QAction::triggered, this, &CMainFrame::OnChannelInformation);
  connect(Action(cmd::kLanguage), &QAction::triggered, this, &CMainFrame::OnLanguage);
  connect(Action(cmd::kRead), &QAction::triggered, this, &CMainFrame::OnRead);
  connect(Action(cmd::kWrite), &QAction::triggered, this, &CMainFrame::OnWrite);
  connect(Action(cmd::kComSetup), &QAction::triggered, this, &CMainFrame::OnComSetup);
  connect(Action(cmd::kProductInformation), &QAction::triggered, this, &CMainFrame::OnProductInformation);
  connect(Action(cmd::kOptionalFeatures), &QAction::triggered, this, &CMainFrame::OnOptionalFeatures);
  connect(Action(cmd::kFilePrint), &QAction::triggered, this, &CMainFrame::OnFilePrint);
  connect(Action(cmd::kFilePrintPreview), &QAction::triggered, this, &CMainFrame::OnFilePrintPreview);
  connect(Action(cmd::kFilePrintSetup), &QAction::triggered, this, &CMainFrame::OnFilePrintSetup);
}

void CMainFrame::AddRowCommands(QMenu* edit) {
  const auto add = [this, edit](int id, const QString& text, const QString& tip, const QKeySequence& key,
                                void (CTorvanView::*act)()) {
    QAction* a = MakeAction(id, text, tip, key);
    connect(a, &QAction::triggered, this, [this, act] {
      if (CTorvanView* v = ActiveView()) (v->*act)();
    });
    edit->addAction(a);
    return a;
  };
  add(cmd::kEditCut, tr("Cu&t\tCtrl+X"), tr("Copy the selected cells to the clipboard and empty them"),
      QKeySequence::Cut, &CTorvanView::Cut);
  add(cmd::kEditCopy, tr("&Copy\tCtrl+C"), tr("Copy the selected cells to the clipboard as text"),
      QKeySequence::Copy, &CTorvanView::Copy);
  add(cmd::kEditPaste, tr("&Paste\tCtrl+V"), tr("Paste the clipboard's cells from the current cell on"),
      QKeySequence::Paste, &CTorvanView::Paste);
  add(cmd::kEditSelectAll, tr("Select &All\tCtrl+A"), tr("Select every cell of the channel table"),
      QKeySequence::SelectAll, &CTorvanView::SelectAllCells);
  edit->addSeparator();
  add(cmd::kInsertRow, tr("&Insert Row\tCtrl++"), tr("Insert an empty channel at the current row"),
      QKeySequence(Qt::CTRL | Qt::Key_Plus), &CTorvanView::InsertRow);
  add(cmd::kDeleteRows, tr("&Delete Rows\tCtrl+-"), tr("Remove the selected channels; the rows below move up"),
      QKeySequence(Qt::CTRL | Qt::Key_Minus), &CTorvanView::DeleteRows);
  add(cmd::kClearRows, tr("Cl&ear"), tr("Empty the selected channels where they are"), {}, &CTorvanView::ClearRows);
  QAction* up = MakeAction(cmd::kMoveRowsUp, tr("Move &Up\tAlt+Up"), tr("Move the selected channels up one row"),
                           QKeySequence(Qt::ALT | Qt::Key_Up));
  QAction* down = MakeAction(cmd::kMoveRowsDown, tr("Move Dow&n\tAlt+Down"),
                             tr("Move the selected channels down one row"), QKeySequence(Qt::ALT | Qt::Key_Down));
  connect(up, &QAction::triggered, this, [this] {
    if (CTorvanView* v = ActiveView()) v->MoveRows(-1);
  });
  connect(down, &QAction::triggered, this, [this] {
    if (CTorvanView* v = ActiveView()) v->MoveRows(1);
  });
  edit->addAction(up);
  edit->addAction(down);
  QAction* bulk = MakeAction(cmd::kSetInSelectedRows, tr("&Set in Selected Rows\tCtrl+Enter"),
                             tr("Give the current cell's value to this column of every selected channel"));
  bulk->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)});
  bulk->setShortcutContext(Qt::WindowShortcut);
  connect(bulk, &QAction::triggered, this, [this] {
    if (CTorvanView* v = ActiveView()) v->SetCurrentValueInSelectedRows();
  });
  edit->addAction(bulk);
  QAction* byRx = MakeAction(cmd::kSortByRxFrequency, tr("Sort Channels by &Rx Frequency"),
                             tr("Sort the selected channels (all when none are selected) by receive frequency"));
  QAction* byName = MakeAction(cmd::kSortByName, tr("Sort Channels by Na&me"),
                               tr("Sort the selected channels (all when none are selected) by name"));
  connect(byRx, &QAction::triggered, this, [this] {
    if (CTorvanView* v = ActiveView()) v->SortChannels(CTorvanView::SortKey::RxFrequency);
  });
  connect(byName, &QAction::triggered, this, [this] {
    if (CTorvanView* v = ActiveView()) v->SortChannels(CTorvanView::SortKey::Name);
  });
  edit->addAction(byRx);
  edit->addAction(byName);

  // The right click on the grid offers the same commands.
  m_gridMenu = new QMenu(this);
  for (int id : {cmd::kEditCut, cmd::kEditCopy, cmd::kEditPaste, 0, cmd::kInsertRow, cmd::kDeleteRows,
                 cmd::kClearRows, cmd::kMoveRowsUp, cmd::kMoveRowsDown, 0, cmd::kSetInSelectedRows,
                 cmd::kSortByRxFrequency, cmd::kSortByName}) {
    if (id == 0) m_gridMenu->addSeparator();
    else m_gridMenu->addAction(Action(id));
  }
  m_gridMenu->installEventFilter(this);  // F1 on an item, as in the menus
}

void CMainFrame::AddChannelListCommands(QMenu* file) {
  file->addSeparator();
  file->addAction(MakeAction(cmd::kFileImportChannels, tr("&Import Channels..."),
                             tr("Import a channel list (CSV) into the active document")));
  file->addAction(MakeAction(cmd::kFileExportChannels, tr("&Export Channels..."),
                             tr("Export the channels of the active document as a channel list (CSV)")));
  connect(Action(cmd::kFileImportChannels), &QAction::triggered, this, [this] {
    if (CTorvanView* view = ActiveView()) {
      const QString said = ImportChannelListFile(*view, m_app, this);
      if (!said.isEmpty()) statusBar()->showMessage(said);
    }
  });
  connect(Action(cmd::kFileExportChannels), &QAction::triggered, this, [this] {
    if (CTorvanView* view = ActiveView()) {
      const QString said = ExportChannelListFile(*view, m_app, this);
      if (!said.isEmpty()) statusBar()->showMessage(said);
    }
  });
}

void CMainFrame::CreateRecentFileMenu(QMenu* file) {
  m_recentFiles = std::make_unique<RecentFileList>(m_app.AppName());
  QAction* exit = Action(cmd::kAppExit);
  for (int id = cmd::kFileMruFirst; id <= cmd::kFileMruLast; ++id) {
    QAction* a = MakeAction(id, QString(), tr("Open this document"));
    file->insertAction(exit, a);
    const int index = id - cmd::kFileMruFirst;
    connect(a, &QAction::triggered, this, [this, index] { OnRecentFile(index); });
  }
  m_recentSeparator = file->insertSeparator(exit);
  ShowRecentFiles();
}

void CMainFrame::ShowRecentFiles() {
  const QStringList& paths = m_recentFiles->Paths();
  for (int id = cmd::kFileMruFirst; id <= cmd::kFileMruLast; ++id) {
    const int index = id - cmd::kFileMruFirst;
    QAction* a = Action(id);
    a->setVisible(index < paths.size());
    if (index >= paths.size()) continue;
    // "&1 C:\radios\site.dat": the number is the entry's key; an "&" of
    // the name is shown as it is.
    QString name = QDir::toNativeSeparators(paths.at(index));
    name.replace(QLatin1Char('&'), QStringLiteral("&&"));
    a->setText(QStringLiteral("&%1 %2").arg(index + 1).arg(name));
  }
  m_recentSeparator->setVisible(!paths.isEmpty());
}

void CMainFrame::RememberRecentFile(const QString& path) {
  m_recentFiles->Add(path);
  ShowRecentFiles();
}

void CMainFrame::OnRecentFile(int index) {
  if (index < 0 || index >= m_recentFiles->Paths().size()) return;
  const QString path = m_recentFiles->Paths().at(index);
  if (!QFileInfo(path).isFile()) {
    // Gone (moved, deleted, a drive not there): the entry goes, and the user is told which.
    m_recentFiles->Remove(path);
    ShowRecentFiles();
    QMessageBox::warning(this, m_app.messageCaption,
                         tr("%1 cannot be found. It has been removed from the list of recent files.")
                             .arg(QDir::toNativeSeparators(path)));
    return;
  }
  bool discarded = false;
  if (!AskToSave(m_activeChild, &discarded)) return;
  OpenDocumentFile(path, discarded);
}

void CMainFrame::CreateNavigatorBar() {
  const QString company = m_app.ProductString(ProductText::Company);
  m_navigatorBar = new CNavigatorBar(company, this);
  addDockWidget(Qt::LeftDockWidgetArea, m_navigatorBar);

  QTreeWidget* tree = m_navigatorBar->Tree();
  m_treeRoot = new QTreeWidgetItem(tree, {company});
  m_treeRoot->setIcon(0, LanguagePack::Icon(QStringLiteral("tree-root")));
  for (Text page : {Text::ProductInformation, Text::ChannelInformation, Text::OptionalFeatures}) {
    auto* item = new QTreeWidgetItem(m_treeRoot, {m_app.Text(page)});
    item->setIcon(0, LanguagePack::Icon(QStringLiteral("tree-page")));
  }
  m_treeRoot->setExpanded(true);
  {
    const QSignalBlocker quiet(tree);
    tree->setCurrentItem(m_treeRoot);
  }
  connect(tree, &QTreeWidget::itemSelectionChanged, this, &CMainFrame::OnTreeSelectionChanged);

  QAction* toggle = m_navigatorBar->toggleViewAction();
  toggle->setText(tr("&Control Bar"));
  toggle->setStatusTip(tr("Show or hide the control bar"));
  toggle->setProperty(kCommandIdProperty, cmd::kViewControlBar);
  m_actions.insert(cmd::kViewControlBar, toggle);
  m_menus.at(3)->addAction(toggle);
  resizeDocks({m_navigatorBar}, {CNavigatorBar::kInitialWidth}, Qt::Horizontal);
}

void CMainFrame::SetAboutText(const QString& text) {
  // An empty "About Title" would leave a blank menu item: keep the built-in text then.
  if (!text.isEmpty()) Action(cmd::kAppAbout)->setText(text);
}

void CMainFrame::RemoveLanguageCommand() {
  QAction* a = Action(cmd::kLanguage);
  m_setupMenu->removeAction(a);
  a->setEnabled(false);
}

// --- Documents -------------------------------------------------------------------

CChildFrame* CMainFrame::ActiveChild() const { return m_activeChild.data(); }
CTorvanView* CMainFrame::ActiveView() const { return m_activeChild ? m_activeChild->View() : nullptr; }
CTorvanDoc* CMainFrame::ActiveDocument() const { return m_activeChild ? m_activeChild->Document() : nullptr; }

QList<CChildFrame*> CMainFrame::ChildFrames() const {
  QList<CChildFrame*> frames;
  for (QMdiSubWindow* w : m_mdiClient->subWindowList())
    if (auto* f = qobject_cast<CChildFrame*>(w)) frames << f;
  return frames;
}

CChildFrame* CMainFrame::CreateDocumentWindow(std::unique_ptr<CTorvanDoc> doc) {
  // Every new document window starts from the stored port choice.
  m_transfer->LoadStoredPort();
  m_undoGroup->addStack(&doc->UndoStack());
  auto* frame = new CChildFrame(std::move(doc), m_app);
  m_mdiClient->addSubWindow(frame);
  CTorvanView* view = frame->View();
  connect(view, &CTorvanView::mainCaptionChanged, this, [this, view](const QString& caption) {
    if (view == ActiveView() || !m_activeChild) SetCaption(caption);
  });
  view->OnInitialUpdate();
  view->SetContextMenu(m_gridMenu);
  SetCaption(view->MainCaption());

  // The window fits the table's width and a screenful of rows.
  const CMSFlexGrid& grid = view->Grid();
  int tableWidth = grid.verticalHeader()->width() + grid.verticalScrollBar()->sizeHint().width() + 2 * grid.frameWidth();
  for (int c = 0; c < grid.columnCount(); ++c) tableWidth += grid.columnWidth(c);
  const int tableHeight = grid.horizontalHeader()->sizeHint().height() +
                          kVisibleGridRows * grid.verticalHeader()->defaultSectionSize() + 2 * grid.frameWidth();
  const QMargins m = view->layout()->contentsMargins();
  const int frameExtraW = frame->width() - frame->contentsRect().width();
  const int frameExtraH = frame->style()->pixelMetric(QStyle::PM_TitleBarHeight) + 2 * frame->style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth);
  frame->move(0, 0);
  frame->resize(tableWidth + m.left() + m.right() + std::max(frameExtraW, 8), tableHeight + m.top() + m.bottom() + frameExtraH);

  frame->show();
  m_mdiClient->setActiveSubWindow(frame);
  m_activeChild = frame;
  FollowActiveDocument();
  return frame;
}

bool CMainFrame::NewDocument() {
  auto doc = std::make_unique<CTorvanDoc>();
  if (!doc->OnNewDocument(m_app)) return false;
  CreateDocumentWindow(std::move(doc));
  return true;
}

bool CMainFrame::OpenDocumentFile(const QString& path, bool closePrevious) {
  auto doc = std::make_unique<CTorvanDoc>();
  const DatLoad load = doc->OnOpenDocument(path);
  if (!load.ok()) {
    ShowOpenError(path, load);
    return false;
  }
  if (load.kind == DatFileKind::TooLong && !AgreeToOpenPart(path, load)) return false;
  QPointer<CChildFrame> previous = m_activeChild;
  CreateDocumentWindow(std::move(doc));
  RememberRecentFile(path);
  if (previous && closePrevious) {
    delete previous.data();  // its changes were discarded: nothing of it is kept
  } else if (previous) {
    previous->close();  // a child frame answers a close request by hiding
  }
  return true;
}

bool CMainFrame::AgreeToOpenPart(const QString& path, const DatLoad& load) {
  const QString size = load.bytesExact ? QString::number(load.bytes) : tr("more than %1").arg(kImageSize);
  QMessageBox box(QMessageBox::Warning, m_app.messageCaption,
                  tr("%1 is %2 bytes, not a radio memory file of %3 bytes. Open its first %3 bytes?")
                      .arg(QDir::toNativeSeparators(path), size)
                      .arg(kImageSize),
                  QMessageBox::Yes | QMessageBox::No, this);
  box.setInformativeText(tr("The file itself stays as it is: Save asks for a new file name."));
  box.setDefaultButton(QMessageBox::No);
  return box.exec() == QMessageBox::Yes;
}

void CMainFrame::ShowOpenError(const QString& path, const DatLoad& load) {
  // Why, in the user's language where the load says; otherwise the file
  // layer's own words.
  QString reason;
  switch (load.kind) {
    case DatFileKind::NotFound: reason = tr("The file does not exist."); break;
    case DatFileKind::NotRegularFile: reason = tr("It is a folder, not a file."); break;
    case DatFileKind::Unreadable:
      reason = tr("The file cannot be read.") + QStringLiteral(" (") + QString::fromStdString(load.systemText) +
               QStringLiteral(")");
      break;
    case DatFileKind::TooShort:
      reason = tr("The file holds %1 bytes; a radio memory file holds %2 bytes.").arg(load.bytes).arg(kImageSize);
      break;
    case DatFileKind::Complete:
    case DatFileKind::TooLong: break;
  }
  if (reason.isEmpty()) reason = QString::fromStdString(load.error());
  QMessageBox::warning(this, m_app.messageCaption,
                       tr("Failed to open %1.").arg(QDir::toNativeSeparators(path)) + QStringLiteral("\n") + reason);
}

bool CMainFrame::SaveDocument(CTorvanDoc* doc, const QString& path) {
  if (!doc) return false;
  const Status s = doc->OnSaveDocument(path);
  if (s.ok()) {
    RememberRecentFile(path);
    return true;
  }
  // Say why, and offer another name at once: the changes are still only here.
  QMessageBox box(QMessageBox::Warning, m_app.messageCaption,
                  tr("Failed to save %1.").arg(QDir::toNativeSeparators(path)) + QStringLiteral("\n") +
                      QString::fromStdString(s.error()),
                  QMessageBox::Cancel, this);
  QPushButton* saveAs = box.addButton(tr("Save &As..."), QMessageBox::AcceptRole);
  box.setDefaultButton(saveAs);
  box.setEscapeButton(QMessageBox::Cancel);
  box.exec();
  return box.clickedButton() == saveAs && SaveDocumentAs(doc);
}

bool CMainFrame::SaveDocument(CTorvanDoc* doc) {
  if (!doc) return false;
  return doc->HasFile() ? SaveDocument(doc, doc->PathName()) : SaveDocumentAs(doc);
}

bool CMainFrame::SaveDocumentAs(CTorvanDoc* doc) {
  if (!doc) return false;
  QFileDialog dialog(this, tr("Save As"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setNameFilters({QStringLiteral("*.dat"), tr("All Files (*)")});
  dialog.setDefaultSuffix(QStringLiteral("dat"));
  if (!doc->PathName().isEmpty()) dialog.selectFile(doc->PathName());
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
  return SaveDocument(doc, dialog.selectedFiles().constFirst());
}

bool CMainFrame::AskToSave(CChildFrame* frame, bool* discarded) {
  if (discarded) *discarded = false;
  CTorvanDoc* doc = frame ? frame->Document() : nullptr;
  if (!doc || !doc->IsModified()) return true;
  QMessageBox box(QMessageBox::Warning, m_app.messageCaption, tr("Save changes to %1?").arg(doc->Title()),
                  QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, this);
  box.setDefaultButton(QMessageBox::Save);
  box.setEscapeButton(QMessageBox::Cancel);
  InstallHelpKey(&box, m_app, [] { return ctrl::kSaveQuestion; });
  switch (box.exec()) {
    case QMessageBox::Save: return SaveDocument(doc);
    case QMessageBox::Discard:
      if (discarded) *discarded = true;
      return true;
    default: return false;
  }
}

bool CMainFrame::AskToSaveAll() {
  // The active document first: it is the one in front of the user.
  QList<CChildFrame*> frames = ChildFrames();
  if (m_activeChild && frames.removeOne(m_activeChild.data())) frames.prepend(m_activeChild.data());
  for (CChildFrame* frame : std::as_const(frames))
    if (!AskToSave(frame)) return false;
  return true;
}

void CMainFrame::OnFileNew() {
  if (m_activeChild) {
    if (m_activeChild->Document()->IsModified()) {
      // The question about the changes stands in for the plain warning.
      if (!AskToSave(m_activeChild)) return;
    } else if (QMessageBox::warning(this, m_app.messageCaption, m_app.Message(MessageId::AllDataCleared),
                                    QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok) != QMessageBox::Ok) {
      return;
    }
    delete m_activeChild.data();  // destroyed at once, not merely hidden
  }
  NewDocument();
}

void CMainFrame::OnFileOpen() {
  bool discarded = false;
  if (!AskToSave(m_activeChild, &discarded)) return;
  QFileDialog dialog(this, tr("Open"));
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setNameFilters({QStringLiteral("*.dat"), tr("All Files (*)")});
  dialog.setDefaultSuffix(QStringLiteral("dat"));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  // Discarded changes go with their window once the new file is open; a
  // file that fails to open leaves everything as it was.
  OpenDocumentFile(dialog.selectedFiles().constFirst(), discarded);
}

void CMainFrame::OnFileSave() { SaveDocument(ActiveDocument()); }

void CMainFrame::OnFileSaveAs() { SaveDocumentAs(ActiveDocument()); }

void CMainFrame::OnFileClose() {
  if (m_activeChild) m_activeChild->hide();
}

void CMainFrame::OnEditUndo() {
  if (CTorvanView* view = ActiveView()) view->Undo();
}

void CMainFrame::OnEditRedo() {
  if (CTorvanView* view = ActiveView()) view->Redo();
}

// --- Caption, modified state, notes ---------------------------------------------

void CMainFrame::FollowActiveDocument() {
  disconnect(m_followModified);
  disconnect(m_followBand);
  if (m_tearingDown) return;
  CTorvanDoc* doc = ActiveDocument();
  CTorvanView* view = ActiveView();
  m_undoGroup->setActiveStack(doc ? &doc->UndoStack() : nullptr);
  if (doc) m_followModified = connect(doc, &CTorvanDoc::modifiedChanged, this, &CMainFrame::ShowModified);
  if (view) {
    m_followBand = connect(view, &CTorvanView::channelsOutsideBandChanged, this, &CMainFrame::ShowBandNote);
    view->RefreshBandMarks();  // the band may have changed while another window was in front
    if (!view->MainCaption().isEmpty()) SetCaption(view->MainCaption());
  }
  ShowModified();
  ShowBandNote();
  ShowUndoState();
}

void CMainFrame::SetCaption(const QString& caption) { setWindowTitle(CChildFrame::WindowTitle(caption)); }

void CMainFrame::ShowModified() {
  const CTorvanDoc* doc = ActiveDocument();
  setWindowModified(doc && doc->IsModified());
}

void CMainFrame::ShowBandNote() {
  const CTorvanView* view = ActiveView();
  const int count = view ? view->ChannelsOutsideBand() : 0;
  if (count == 0) {
    m_bandNote->hide();
    return;
  }
  m_bandNote->setText(tr("Channels outside the band %1 - %2 MHz: %3")
                          .arg(m_app.band.lowerMHz)
                          .arg(m_app.band.upperMHz)
                          .arg(count));
  m_bandNote->setToolTip(tr("They are marked red in the channel table and stay as they are until you change "
                            "them; a new frequency must lie inside the band."));
  m_bandNote->show();
}

void CMainFrame::ShowUndoState() {
  // The menu items name the step they undo or redo.
  const auto label = [](const QString& base, const QString& step, const char* key) {
    return base + (step.isEmpty() ? QString() : QStringLiteral(" ") + step) + QStringLiteral("\t") +
           QString::fromLatin1(key);
  };
  Action(cmd::kEditUndo)->setText(label(tr("&Undo"), m_undoGroup->undoText(), "Ctrl+Z"));
  Action(cmd::kEditRedo)->setText(label(tr("&Redo"), m_undoGroup->redoText(), "Ctrl+Y"));
  // A running transfer uses the image: no step may change it meanwhile.
  const bool free = !m_transfer->Running();
  Action(cmd::kEditUndo)->setEnabled(free && m_undoGroup->canUndo());
  Action(cmd::kEditRedo)->setEnabled(free && m_undoGroup->canRedo());
}

void CMainFrame::OnAppAbout() {
  CAboutDialog about(m_app, this);
  about.exec();
}

void CMainFrame::OnChannelInformation() {
  if (!m_activeChild) return;
  m_activeChild->showNormal();
  m_mdiClient->setActiveSubWindow(m_activeChild);
}

void CMainFrame::OnLanguage() {
  CLanguageDialog& dialog = *LanguageDialog();
  if (dialog.exec() != QDialog::Accepted || !dialog.Changed()) return;
  // The restart ends this program: unsaved changes are asked about first, and
  // Cancel keeps this program in its language with everything as it was.
  if (!AskToSaveAll()) {
    dialog.TakeBack();
    return;
  }
  m_leaveAnswered = true;
  if (m_app.restart) m_app.restart();
  m_leaveAnswered = false;  // the restart failed: the program goes on
}

void CMainFrame::OnSubWindowActivated(QMdiSubWindow* window) {
  auto* frame = qobject_cast<CChildFrame*>(window);
  if (!frame || frame == m_activeChild) return;
  m_activeChild = frame;
  FollowActiveDocument();
}

// --- Radio, port and pages ------------------------------------------------------

void CMainFrame::OnRead() { m_transfer->OfferRead(ActiveView()); }

void CMainFrame::OnWrite() { m_transfer->OfferWrite(ActiveView()); }

void CMainFrame::OnComSetup() { ComSetupDialog()->exec(); }

void CMainFrame::OnProductInformation() {
  CTorvanView* view = ActiveView();
  if (!view) return;
  // OK changes the type byte, the band and the caption: one step.
  view->RecordStep(m_app.Text(Text::ProductInformation), StepParts::ImageAndBand(),
                   [&] { ProductInfoDialog()->Run(view->GetDocument().Image()); });
}

void CMainFrame::OnOptionalFeatures() {
  CTorvanView* view = ActiveView();
  if (!view) return;
  view->RecordStep(m_app.Text(Text::OptionalFeatures), StepParts::Image(),
                   [&] { OptionDialog()->Run(view->GetDocument().Image()); });
}

CProductInfoDialog* CMainFrame::ProductInfoDialog() {
  // Made when first needed, not while the program starts.
  if (!m_productInfoDialog) {
    m_productInfoDialog = new CProductInfoDialog(m_app, this);
    connect(m_productInfoDialog, &CProductInfoDialog::mainTitleChanged, this, [this](const QString& title) {
      if (CTorvanView* view = ActiveView()) view->SetMainCaption(title);
      else SetCaption(title);
    });
  }
  return m_productInfoDialog;
}

COptionDialog* CMainFrame::OptionDialog() {
  if (!m_optionDialog) m_optionDialog = new COptionDialog(m_app, this);
  return m_optionDialog;
}

CComSetupDialog* CMainFrame::ComSetupDialog() {
  if (!m_comSetupDialog) m_comSetupDialog = new CComSetupDialog(m_app, *m_transfer, this);
  return m_comSetupDialog;
}

CLanguageDialog* CMainFrame::LanguageDialog() {
  if (!m_languageDialog) m_languageDialog = new CLanguageDialog(m_app, this);
  return m_languageDialog;
}

void CMainFrame::OnTransferRunning(bool running) {
  if (running) {
    m_heldDuringTransfer.clear();
    for (int id : {cmd::kFileNew, cmd::kFileOpen, cmd::kFileOpenBackup, cmd::kFileSave, cmd::kFileSaveAs,
                   cmd::kFileImportChannels, cmd::kAppExit, cmd::kLanguage, cmd::kProductInformation,
                   cmd::kOptionalFeatures, cmd::kEditUndo, cmd::kEditRedo, cmd::kEditCut, cmd::kEditPaste,
                   cmd::kInsertRow, cmd::kDeleteRows, cmd::kClearRows, cmd::kMoveRowsUp, cmd::kMoveRowsDown,
                   cmd::kSetInSelectedRows, cmd::kSortByRxFrequency, cmd::kSortByName, cmd::kFileMruFirst,
                   cmd::kFileMruFirst + 1, cmd::kFileMruFirst + 2, cmd::kFileMruLast}) {
      QAction* a = Action(id);
      if (a && a->isEnabled()) {
        a->setEnabled(false);
        m_heldDuringTransfer << a;
      }
    }
    return;
  }
  for (QAction* a : std::as_const(m_heldDuringTransfer)) a->setEnabled(true);
  m_heldDuringTransfer.clear();
  ShowUndoState();
}

void CMainFrame::closeEvent(QCloseEvent* event) {
  if (m_transfer->Running()) {
    // Closing now would destroy the image and the port the session is using.
    event->ignore();
    statusBar()->showMessage(tr("A transfer with the radio is running: press Cancel in its window first."));
    m_transfer->ProgressDialog().raise();
    m_transfer->ProgressDialog().activateWindow();
    return;
  }
  if (!m_leaveAnswered && !AskToSaveAll()) {
    event->ignore();
    return;
  }
  QMainWindow::closeEvent(event);
}

// --- Drag and drop ------------------------------------------------------------------

namespace {

constexpr const char* kDocumentSuffix = "dat";

// The local files among dropped URLs that are radio memory files by name.
QStringList DroppedDocuments(const QMimeData* data) {
  QStringList paths;
  if (!data || !data->hasUrls()) return paths;
  for (const QUrl& url : data->urls())
    if (url.isLocalFile() && QFileInfo(url.toLocalFile()).suffix().compare(QLatin1String(kDocumentSuffix), Qt::CaseInsensitive) == 0)
      paths << url.toLocalFile();
  return paths;
}

}  // namespace

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
  // Only a .dat file is taken: anything else shows the "no drop" pointer
  // and a note why.
  if (!DroppedDocuments(event->mimeData()).isEmpty() && !m_transfer->Running()) {
    event->acceptProposedAction();
    return;
  }
  event->ignore();
  if (m_transfer->Running())
    statusBar()->showMessage(tr("A transfer with the radio is running: a file can be opened after it."));
  else if (event->mimeData() && event->mimeData()->hasUrls())
    statusBar()->showMessage(tr("Only a radio memory file (*.dat) can be opened by dropping it here."));
}

void CMainFrame::dropEvent(QDropEvent* event) {
  const QStringList paths = DroppedDocuments(event->mimeData());
  if (paths.isEmpty() || m_transfer->Running()) {
    event->ignore();
    return;
  }
  event->acceptProposedAction();
  const int dropped = static_cast<int>(event->mimeData()->urls().size());
  const QString path = paths.constFirst();
  // The drag's source waits for the drop to end: the questions and the
  // messages of opening come after it, as from File > Open.
  QTimer::singleShot(0, this, [this, path, dropped] {
    bool discarded = false;
    if (!AskToSave(m_activeChild, &discarded)) return;
    if (!OpenDocumentFile(path, discarded)) return;
    if (dropped > 1)
      statusBar()->showMessage(tr("%1 files were dropped; one document opens at a time: %2 was opened.")
                                   .arg(dropped)
                                   .arg(QDir::toNativeSeparators(path)));
  });
}

// --- Printing -----------------------------------------------------------------------

QPrinter& CMainFrame::Printer() {
  if (!m_printer) m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
  return *m_printer;
}

void CMainFrame::ShowPrintError(const Status& status) {
  if (status.ok()) return;
  QMessageBox::warning(this, m_app.messageCaption, QString::fromStdString(status.error()));
}

namespace {

// What the active document prints: the grid as it stands (an open editor's
// text is not in it) and the image.
print::ReportSource SourceOf(const CTorvanView& view, const AppContext& app) {
  return print::ReportSource{view.Grid(), view.GetDocument().Image(),
                             app.ProductString(ProductText::CopyrightsOwner).toStdString(), app.language};
}

}  // namespace

void CMainFrame::OnFilePrint() {
  if (const CTorvanView* view = ActiveView()) ShowPrintError(print::RunPrintDialog(this, Printer(), SourceOf(*view, m_app)));
}

void CMainFrame::OnFilePrintPreview() {
  if (const CTorvanView* view = ActiveView())
    ShowPrintError(print::RunPrintPreview(this, Printer(), SourceOf(*view, m_app)));
}

void CMainFrame::OnFilePrintSetup() { print::RunPrintSetup(this, Printer()); }

// --- Navigation tree -------------------------------------------------------------

void CMainFrame::OnTreeSelectionChanged() {
  // A re-entrant call comes from selecting the root again below: ignore it,
  // or a page's dialog would open a second time.
  if (m_inTreeHandler) return;
  m_inTreeHandler = true;
  QTreeWidget* tree = m_navigatorBar->Tree();
  // The item under the pointer decides, not the item that became selected.
  const QPoint p = tree->viewport()->mapFromGlobal(QCursor::pos());
  const QTreeWidgetItem* hit = tree->viewport()->rect().contains(p) ? tree->itemAt(p) : nullptr;
  ActOnPage(hit ? hit->text(0) : QString());
  m_inTreeHandler = false;
  // Select the root again once the click or key that got here is over (a
  // mouse release would otherwise select the page once more), so that the
  // next click on the same page is again a change.
  QTimer::singleShot(0, tree, [this, tree] {
    const QSignalBlocker quiet(tree);
    if (m_treeRoot) tree->setCurrentItem(m_treeRoot);
  });
}

void CMainFrame::ActOnPage(const QString& pageName) {
  const auto is = [&](Text t) { return pageName == m_app.Text(t); };
  int command = 0;
  if (is(Text::ChannelInformation)) command = cmd::kChannelInformation;
  else if (is(Text::OptionalFeatures)) command = cmd::kOptionalFeatures;
  else if (is(Text::ProductInformation)) command = cmd::kProductInformation;
  if (command == 0) return;
  QAction* a = Action(command);
  if (a && a->isEnabled()) a->trigger();
}

// --- Frame ------------------------------------------------------------------------

void CMainFrame::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  if (m_navigatorBar) m_navigatorBar->FollowMainWindow();
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
  // F1 over an open menu: the topic of the highlighted command.
  if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1) {
    if (auto* menu = qobject_cast<QMenu*>(watched)) {
      if (QAction* a = menu->activeAction()) {
        const int id = a->property(kCommandIdProperty).toInt();
        menu->close();
        ShowHelp(m_app, id);
        return true;
      }
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

}  // namespace torvan
