#pragma once
// CMainFrame: the main window. Menus, toolbar, accelerators and status bar; the
// navigation bar with the tree of the three pages on the left edge; the
// document windows in front of the background. It carries out the document
// commands (New, Open, Save, Save As, Close) and turns a tree click or an Edit
// command into a page.
//
// Every command is a QAction reachable by its command id (Action(id)).
//
// Each document keeps its own undo history; Edit > Undo and Redo act on the
// active document's. A document with unsaved changes shows "*" in its window
// title and in the main caption, and New, Open, Exit, closing the main window,
// the language restart and a read from the radio over it ask whether to save
// it first (Save, Discard, Cancel).
//
// A .dat file dropped on the main window opens like File > Open (the question
// about unsaved changes first, the same checks and messages); of several
// files dropped at once the first .dat file opens.
//
// The File menu lists the last four files opened or saved (kept across runs);
// choosing one opens it like File > Open, and one that no longer exists is
// taken off the list with a message naming it.
//
// Program > Read and Write go to the one transfer controller. While a
// transfer with the radio runs, the session holds the document's image and the
// port and runs the event loop between blocks: the commands that would close
// or replace a document, write its image or end the program (New, Open, Save,
// Save As, Import Channels, Exit, Language, Product Information, Optional
// Features) are
// disabled, and the main window's close box is refused with a note in the
// status bar. Read and Write stay enabled: they change only the direction of
// the transfer that is offered or running. The settings commands (Com Setup,
// Language) and their dialogs belong to the frame.

#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <memory>

#include "core/files/Status.h"
#include "core/radio/DatFile.h"

class QAction;
class QLabel;
class QUndoGroup;
class QMenu;
class QPrinter;
class QTreeWidgetItem;
class QMdiSubWindow;

namespace torvan {

struct AppContext;
class CBackgroundClient;
class CChildFrame;
class CComSetupDialog;
class CLanguageDialog;
class CNavigatorBar;
class COptionDialog;
class CProductInfoDialog;
class CTorvanDoc;
class CTorvanView;
class RecentFileList;
class TransferController;

class CMainFrame : public QMainWindow {
  Q_OBJECT
 public:
  static constexpr int kInitialWidth = 1000;
  static constexpr int kInitialHeight = 600;
  // Rows of the channel table that a new document window shows at once.
  static constexpr int kVisibleGridRows = 22;

  // `app` outlives the frame and every window it makes.
  explicit CMainFrame(AppContext& app, QWidget* parent = nullptr);
  ~CMainFrame() override;

  // --- Commands -----------------------------------------------------------------
  QAction* Action(int commandId) const { return m_actions.value(commandId); }
  // The top-level menus in order: File, Edit, Program, View, Setup, Help.
  QList<QMenu*> Menus() const { return m_menus; }
  // The About item of the Help menu takes the product's "About Title".
  void SetAboutText(const QString& text);
  // Takes Setup > Language out of the menu (when Program.ini hides it).
  void RemoveLanguageCommand();

  // --- Documents ----------------------------------------------------------------
  // The active document window; it stays active while hidden (closed).
  CChildFrame* ActiveChild() const;
  CTorvanView* ActiveView() const;
  CTorvanDoc* ActiveDocument() const;
  QList<CChildFrame*> ChildFrames() const;

  // A new document in a new window (no confirmation).
  bool NewDocument();
  // Opens `path` in a new window and hides the window shown before (closes
  // it when `closePrevious`). A file that cannot be loaded shows the reason
  // and changes nothing; a file longer than a radio memory is opened only
  // when the user agrees to take its first 8192 bytes.
  bool OpenDocumentFile(const QString& path, bool closePrevious = false);
  // Encodes and writes `doc` to `path`. A failure is shown with the offer to
  // save under another name (Save As); true only when the document was saved.
  bool SaveDocument(CTorvanDoc* doc, const QString& path);
  // Save: to the document's file, or Save As when it has none.
  bool SaveDocument(CTorvanDoc* doc);
  // Save As: asks for a file name; false when the user cancels or it fails.
  bool SaveDocumentAs(CTorvanDoc* doc);

  // The answer to "Save changes to ...?" for the document of `frame`:
  // Proceed when it has no unsaved changes, when they were saved, or when the
  // user discarded them (`discarded` then says so); false for Cancel and for
  // a save that failed or was cancelled.
  bool AskToSave(CChildFrame* frame, bool* discarded = nullptr);
  // The same for every document window in turn; false at the first Cancel.
  bool AskToSaveAll();

  // --- Parts ----------------------------------------------------------------------
  CNavigatorBar* NavigatorBar() const { return m_navigatorBar; }
  CBackgroundClient* MdiClient() const { return m_mdiClient; }
  QTreeWidgetItem* TreeRoot() const { return m_treeRoot; }
  // The page and settings dialogs: made on first use, then kept as long as
  // the frame (the product dialog keeps its custom band edges between showings).
  CProductInfoDialog* ProductInfoDialog();
  COptionDialog* OptionDialog();
  CComSetupDialog* ComSetupDialog();
  CLanguageDialog* LanguageDialog();
  // The note of the status bar that counts the active document's channels
  // outside the band (hidden when there are none).
  QLabel* BandNote() const { return m_bandNote; }
  // The printer of File > Print, Print Preview and Print Setup, kept for the run.
  QPrinter& Printer();
  // The program's one transfer with the radio: the port, the offered or
  // running transfer, the progress window.
  TransferController& Transfer() const { return *m_transfer; }

 public slots:
  void OnFileNew();
  void OnFileOpen();
  void OnFileSave();
  void OnFileSaveAs();
  void OnFileClose();
  void OnEditUndo();
  void OnEditRedo();
  void OnAppAbout();
  void OnChannelInformation();
  void OnLanguage();
  void OnRead();
  void OnWrite();
  void OnComSetup();
  void OnProductInformation();
  void OnOptionalFeatures();
  void OnFilePrint();
  void OnFilePrintPreview();
  void OnFilePrintSetup();

 protected:
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  // A radio memory file (.dat) dropped on the window opens as by File > Open.
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private slots:
  void OnTreeSelectionChanged();
  void OnSubWindowActivated(QMdiSubWindow* window);
  // A session started or ended: the commands that must not act meanwhile.
  void OnTransferRunning(bool running);
  // The main caption as the active document gives it, marked while the
  // document is modified.
  void SetCaption(const QString& caption);
  void ShowModified();
  void ShowBandNote();
  void ShowUndoState();

 private:
  QAction* MakeAction(int id, const QString& text, const QString& tip, const QKeySequence& key = {},
                      const QString& picture = {});
  void CreateMenusAndToolbar();
  // The Edit menu's row and clipboard commands, also the grid's context menu.
  void AddRowCommands(QMenu* edit);
  // File > Import Channels... and Export Channels..., after Save As.
  void AddChannelListCommands(QMenu* file);
  void CreateNavigatorBar();
  // File menu: the recently used files above Exit, and what they do.
  void CreateRecentFileMenu(QMenu* file);
  void ShowRecentFiles();
  void OnRecentFile(int index);
  void RememberRecentFile(const QString& path);
  CChildFrame* CreateDocumentWindow(std::unique_ptr<CTorvanDoc> doc);
  void ShowOpenError(const QString& path, const DatLoad& load);
  // A file longer than a radio memory: may its first 8192 bytes be opened?
  bool AgreeToOpenPart(const QString& path, const DatLoad& load);
  // The window whose document the undo commands and the notes follow.
  void FollowActiveDocument();
  void ActOnPage(const QString& pageName);
  void ShowPrintError(const Status& status);

  AppContext& m_app;
  std::unique_ptr<TransferController> m_transfer;
  QHash<int, QAction*> m_actions;
  QList<QMenu*> m_menus;
  QMenu* m_setupMenu = nullptr;
  QMenu* m_helpMenu = nullptr;
  QMenu* m_gridMenu = nullptr;  // the right click on a channel grid
  CNavigatorBar* m_navigatorBar = nullptr;
  CBackgroundClient* m_mdiClient = nullptr;
  QTreeWidgetItem* m_treeRoot = nullptr;
  QPointer<CChildFrame> m_activeChild;
  bool m_inTreeHandler = false;
  CProductInfoDialog* m_productInfoDialog = nullptr;
  COptionDialog* m_optionDialog = nullptr;
  CComSetupDialog* m_comSetupDialog = nullptr;
  CLanguageDialog* m_languageDialog = nullptr;
  std::unique_ptr<QPrinter> m_printer;
  QList<QAction*> m_heldDuringTransfer;  // disabled by the running session
  QUndoGroup* m_undoGroup = nullptr;     // the undo histories of the documents
  QLabel* m_bandNote = nullptr;
  QMetaObject::Connection m_followModified;
  bool m_tearingDown = false;  // set by the destructor: nothing follows a document any more
  QMetaObject::Connection m_followBand;
  bool m_leaveAnswered = false;  // the save questions of a language restart were answered
  std::unique_ptr<RecentFileList> m_recentFiles;
  QAction* m_recentSeparator = nullptr;  // below the recent files, shown with them
};

}  // namespace torvan
