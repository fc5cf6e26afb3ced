#pragma once
// CTorvanDoc: the document. Its only data is the radio's memory image, which
// it owns for its whole life; a .dat file is exactly those 8192 bytes. The
// document does not know its view: before a save it asks whoever shows the
// image to write what they hold into it (aboutToSave).
//
// Every change the user makes to the document (a cell, a page dialog's OK,
// a read from the radio) is one step on the document's undo stack. The
// document is modified while the stack is away from the state last opened
// or saved: undoing back to it makes the document clean again.

#include <QObject>
#include <QString>
#include <QUndoStack>
#include <optional>

#include "core/files/Status.h"
#include "core/radio/DatFile.h"
#include "core/radio/RadioImage.h"

namespace torvan {

struct AppContext;

class CTorvanDoc : public QObject {
  Q_OBJECT
 public:
  CTorvanDoc();

  // The new-document image; the title becomes the channel page's name and the
  // path name the product name of Program.ini, which the first Save proposes
  // as the file name. Always succeeds.
  bool OnNewDocument(const AppContext& app);

  // Loads `path` into the image and says how the load went (the kind of
  // file). A file shorter than 8192 bytes, a missing or unreadable file fail
  // and leave the image and the path as they were. A file longer than 8192
  // bytes loads its first 8192 bytes but is not a radio memory: it does not
  // become the document's file (HasFile stays false), so Save asks for a
  // name and never writes over it.
  DatLoad OnOpenDocument(const QString& path);

  // Emits aboutToSave (the view encodes its grid into the image), then writes
  // the image to `path` atomically; on success the file is the document's and
  // the document is clean. On failure the old file stays whole; the image
  // stays encoded either way.
  Status OnSaveDocument(const QString& path);

  RadioImage& Image() { return m_image; }
  const RadioImage& Image() const { return m_image; }

  QString Title() const { return m_title; }
  void SetTitle(const QString& title);
  // The path of the document's file, or the file name Save As proposes.
  QString PathName() const { return m_pathName; }
  // True once the document was opened from a radio memory file or saved.
  bool HasFile() const { return m_hasFile; }
  // How the image came from a file (the file held exactly 8192 bytes, or
  // more); nothing for a new document and after a save.
  const std::optional<DatLoad>& LoadedFrom() const { return m_loadedFrom; }

  // The steps of this document's changes.
  QUndoStack& UndoStack() { return m_undoStack; }
  // True while the document holds changes that are not in its file.
  bool IsModified() const { return !m_undoStack.isClean(); }
  // While a transfer with the radio uses the image, no step is undone or
  // redone: it would change bytes the session is sending or replacing.
  void SetInTransfer(bool inTransfer) { m_inTransfer = inTransfer; }
  bool InTransfer() const { return m_inTransfer; }

 signals:
  void titleChanged(const QString& title);
  // A save is about to write the image: a view holding edits that are not
  // yet in the image writes them in now (before this signal returns).
  void aboutToSave();
  // The document became modified, or clean again.
  void modifiedChanged(bool modified);

 private:
  RadioImage m_image;
  QString m_title;
  QString m_pathName;
  bool m_hasFile = false;
  std::optional<DatLoad> m_loadedFrom;
  QUndoStack m_undoStack;
  bool m_inTransfer = false;
};

}  // namespace torvan
