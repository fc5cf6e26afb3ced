#pragma once
// CMainFrame: the main window. Menus, toolbar, accelerators and status bar; the
// navigation bar with the tree of the three pages on the left edge; the
// document windows in front of the background. It carries out the document
// commands (New, Open, Save, Save As, Close) and turns a tree click or an Edit
// command into a page.
//
// Every command is a QAction reachable by its command id (Action(id)); the
// commands that later parts of the program provide (Read, Write, Com Setup,
// Product Information, Optional Features, the print commands) exist disabled
// until their handler is connected to their action.

#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <memory>

#include "files/Status.h"

class QAction;
class QMenu;
class QTreeWidgetItem;
class QMdiSubWindow;

namespace torvan {

class CBackgroundClient;
class CChildFrame;
class CNavigatorBar;
class CTorvanDoc;
class CTorvanView;

class CMainFrame : public QMainWindow {
  Q_OBJECT
 public:
  static constexpr int kInitialWidth = 1000;
  static constexpr int kInitialHeight = 600;
  // Rows of the channel table that a new document window shows at once.
  static constexpr int kVisibleGridRows = 22;

  explicit CMainFrame(QWidget* parent = nullptr);
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
  // Opens `path` in a new window and hides the window shown before. A file
  // that cannot be loaded shows the reason and changes nothing.
  bool OpenDocumentFile(const QString& path);
  // Encodes and writes `doc` to `path`; a failure is shown.
  bool SaveDocument(CTorvanDoc* doc, const QString& path);

  // --- Parts ----------------------------------------------------------------------
  CNavigatorBar* NavigatorBar() const { return m_navigatorBar; }
  CBackgroundClient* MdiClient() const { return m_mdiClient; }
  QTreeWidgetItem* TreeRoot() const { return m_treeRoot; }

 public slots:
  void OnFileNew();
  void OnFileOpen();
  void OnFileSave();
  void OnFileSaveAs();
  void OnFileClose();
  void OnAppAbout();
  void OnChannelInformation();
  void OnLanguage();

 protected:
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private slots:
  void OnTreeSelectionChanged();
  void OnSubWindowActivated(QMdiSubWindow* window);

 private:
  QAction* MakeAction(int id, const QString& text, const QString& tip, const QKeySequence& key = {},
                      const QString& picture = {});
  void CreateMenusAndToolbar();
  void CreateNavigatorBar();
  CChildFrame* CreateDocumentWindow(std::unique_ptr<CTorvanDoc> doc);
  enum class FileAction { Open, Save };
  void ShowFileError(FileAction action, const QString& path, const Status& status);
  void ActOnPage(const QString& pageName);

  QHash<int, QAction*> m_actions;
  QList<QMenu*> m_menus;
  QMenu* m_setupMenu = nullptr;
  QMenu* m_helpMenu = nullptr;
  CNavigatorBar* m_navigatorBar = nullptr;
  CBackgroundClient* m_mdiClient = nullptr;
  QTreeWidgetItem* m_treeRoot = nullptr;
  QPointer<CChildFrame> m_activeChild;
  bool m_inTreeHandler = false;
};

}  // namespace torvan
