#pragma once
// The offer before a write. Writing a document that was not read from a radio
// in this run of the program replaces a memory nobody has kept: the program
// offers "Read and keep the radio's current memory first" (a check box, on
// the first time, then as the user last left it, stored beside the port
// setting). When it is on, the radio is read into a backup (see
// ReadBackupKeeper.h), not into the document, and only once that backup
// exists is the radio written. A first read that fails, or a backup that
// cannot be kept, stops before anything is written and says so.

#include <QList>
#include <QPointer>
#include <QString>
#include <string>

class QWidget;

namespace torvan {

struct AppContext;
class CloneHost;
class CProgressDialog;
class CTorvanDoc;

class ReadFirstOffer {
 public:
  explicit ReadFirstOffer(const AppContext& app) : m_app(app) {}

  // `doc` was filled by a complete read of a radio: a write of it needs no
  // offer.
  void NoteRead(CTorvanDoc& doc);
  bool CameFromRead(const CTorvanDoc& doc) const;

  // Before a write of `doc` through `device` (the port `port` as the user
  // chose it): the offer when the document did not come from a read, then
  // the first read when wanted. The first read runs in the transfer's
  // progress window through `host` (its bar, Cancel and messages), which it
  // leaves open for the write. Returns whether the write may start: false
  // when the user cancelled the offer or the first read, or when the first
  // read failed or its backup could not be kept (which is then shown).
  bool BeforeWrite(const CTorvanDoc& doc, CloneHost& host, CProgressDialog& dialog, QWidget* owner,
                   const std::string& device, const QString& port);

 private:
  // The offer itself: false when the user cancelled; `readFirst` is the
  // check box's state, which is kept for the next offer.
  bool Ask(QWidget* owner, bool& readFirst) const;

  const AppContext& m_app;
  QList<QPointer<CTorvanDoc>> m_readDocuments;  // a document that goes is gone from here too
};

}  // namespace torvan
