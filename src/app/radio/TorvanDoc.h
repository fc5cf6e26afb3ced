#pragma once
// CTorvanDoc: the document. Its only data is the radio's memory image, which
// it owns for its whole life; a .dat file is exactly those 8192 bytes. The
// document does not know its view: before a save it asks whoever shows the
// image to write what they hold into it (aboutToSave).

#include <QObject>
#include <QString>

#include "core/files/Status.h"
#include "core/radio/RadioImage.h"

namespace torvan {

struct AppContext;

class CTorvanDoc : public QObject {
  Q_OBJECT
 public:
  CTorvanDoc() = default;

  // The new-document image; the title becomes the channel page's name and the
  // path name the product name of Program.ini, which the first Save proposes
  // as the file name. Always succeeds.
  bool OnNewDocument(const AppContext& app);

  // Loads `path` into the image. A file shorter than 8192 bytes, a missing or
  // unreadable file fail and leave the image and the path as they were.
  Status OnOpenDocument(const QString& path);

  // Emits aboutToSave (the view encodes its grid into the image), then writes
  // the image to `path` atomically. On failure the old file stays whole; the
  // image stays encoded either way.
  Status OnSaveDocument(const QString& path);

  RadioImage& Image() { return m_image; }
  const RadioImage& Image() const { return m_image; }

  QString Title() const { return m_title; }
  void SetTitle(const QString& title);
  // The path of the document's file, or the proposed file name of a new one.
  QString PathName() const { return m_pathName; }
  // True once the document was opened from or saved to a file.
  bool HasFile() const { return m_hasFile; }

 signals:
  void titleChanged(const QString& title);
  // A save is about to write the image: a view holding edits that are not
  // yet in the image writes them in now (before this signal returns).
  void aboutToSave();

 private:
  RadioImage m_image;
  QString m_title;
  QString m_pathName;
  bool m_hasFile = false;
};

}  // namespace torvan
