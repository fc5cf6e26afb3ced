#pragma once
// COptionDialog: the "Optional Features" page, a modal dialog over the option
// bytes of the active document's image (radio/OptionCodec.h does the coding).
// It reads the image when it opens and writes it on OK; Cancel leaves every
// byte as it was. The ANI and Stun code edits take hexadecimal digits only and
// show letters in upper case; Remove Stun stays checked once checked. F1 opens
// the help topic of the focused control (its control id).

#include <QDialog>
#include <array>

#include "core/radio/OptionCodec.h"
#include "core/radio/RadioImage.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace torvan {

struct AppContext;

class COptionDialog : public QDialog {
  Q_OBJECT
 public:
  COptionDialog(const AppContext& app, QWidget* parent);

  // Runs the dialog modally on `image`.
  int Run(RadioImage& image);

  QComboBox* List(OptionField f) const { return m_lists[static_cast<std::size_t>(f)]; }
  QLineEdit* AniCode() const { return m_aniCode; }
  QLineEdit* StunCode() const { return m_stunCode; }
  QCheckBox* RemoveStun() const { return m_removeStun; }

 public slots:
  // OK: writes every choice into the image.
  void accept() override;

 private:
  void OnInitDialog();
  void OnRemoveStun();

  const AppContext& m_app;
  RadioImage* m_image = nullptr;
  std::array<QComboBox*, kOptionFieldCount> m_lists{};
  QLineEdit* m_aniCode;
  QLineEdit* m_stunCode;
  QCheckBox* m_removeStun;
  bool m_stepPicked = false;  // the user chose an entry of the Step list
};

}  // namespace torvan
