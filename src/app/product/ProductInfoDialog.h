#pragma once
// CProductInfoDialog: the "Product Information" page, a modal dialog in which
// the user chooses the radio type and its band. The types and their bands
// come from Program.ini (product/ProductCatalog.h); a band of one's own is
// entered in the two edge edits that show only for "Customize". OK stores the
// type in the active document's image, sets the program's band limits and
// the main window title; a custom band whose upper edge lies below its lower
// edge is refused with "Frequency input error" and changes nothing. The edge
// values stay from one showing to the next. F1 opens the help topic of the
// focused control.

#include <QDialog>

#include "core/radio/RadioImage.h"

class QComboBox;
class QLineEdit;

namespace torvan {

struct AppContext;

class CProductInfoDialog : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kEdgeDigits = 3;

  // OK sets the band limits of `app`.
  CProductInfoDialog(AppContext& app, QWidget* parent);

  // Runs the dialog modally on the document image `image`.
  int Run(RadioImage& image);

  QComboBox* TypeList() const { return m_type; }
  QComboBox* FieldList() const { return m_field; }
  QLineEdit* LowerEdit() const { return m_lower; }
  QLineEdit* UpperEdit() const { return m_upper; }

  // The custom band edges in MHz, kept between showings.
  unsigned CustomLowerMHz() const { return m_lowerMHz; }
  unsigned CustomUpperMHz() const { return m_upperMHz; }

 signals:
  // The main window's new title after OK.
  void mainTitleChanged(const QString& title);

 public slots:
  // OK: applies the choice to the image and the band, or says why not.
  void accept() override;

 private:
  void OnInitDialog();
  // Fills the "Field" list with the bands of type entry `typeIndex`, then the
  // custom entry; `selectFirst` selects entry 0 (after a type change).
  void BuildFieldList(int typeIndex, bool selectFirst);
  // The edge edits show only while the custom entry is chosen.
  void ShowCustomEdits();
  void OnTypeChanged();

  AppContext& m_app;
  RadioImage* m_image = nullptr;
  unsigned m_lowerMHz = 400;
  unsigned m_upperMHz = 470;
  QComboBox* m_type;
  QComboBox* m_field;
  QLineEdit* m_lower;
  QLineEdit* m_upper;
};

}  // namespace torvan
