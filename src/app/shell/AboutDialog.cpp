#include "app/shell/AboutDialog.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>

#include "core/product/ProgramVersion.h"
#include "app/base/AppContext.h"
#include "app/base/CommandIds.h"
#include "app/base/Help.h"
#include "app/base/LanguagePack.h"
#include "app/base/TitleRoom.h"

namespace torvan {
namespace {
constexpr int kIconSize = 48;
}

CAboutDialog::CAboutDialog(const AppContext& app, QWidget* parent)
    : QDialog(parent),
      m_icon(new QLabel(this)),
      m_version(new QLabel(this)),
      m_copyrights(new QLabel(this)),
      m_owner(new QLabel(this)),
      m_program(new QLabel(QString::fromStdString(torvan::VersionLine("torvan")), this)) {
  SetHelpId(this, cmd::kAppAbout);
  setWindowTitle(app.ProductString(ProductText::AboutTitle));
  KeepTitleWhole(this);
  m_version->setText(app.ProductString(ProductText::Version));
  m_copyrights->setText(app.ProductString(ProductText::Copyrights));
  m_owner->setText(app.ProductString(ProductText::CopyrightsOwner));
  QIcon icon(LanguagePack::Picture(QStringLiteral("app")));
  const QString ico = QDir::current().filePath(QStringLiteral("title.ico"));
  if (QFileInfo(ico).isFile()) {
    const QIcon fromFile(ico);
    if (!fromFile.isNull()) icon = fromFile;
  }
  m_icon->setPixmap(icon.pixmap(kIconSize, kIconSize));

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

  auto* layout = new QGridLayout(this);
  layout->setHorizontalSpacing(16);
  layout->addWidget(m_icon, 0, 0, 4, 1, Qt::AlignTop);
  layout->addWidget(m_version, 0, 1);
  layout->addWidget(m_copyrights, 1, 1);
  layout->addWidget(m_owner, 2, 1);
  layout->addWidget(m_program, 3, 1);
  layout->addWidget(buttons, 4, 0, 1, 2);
  InstallHelpKey(this, app, [] { return cmd::kAppAbout; });
}

QString CAboutDialog::VersionLine() const { return m_version->text(); }
QString CAboutDialog::CopyrightLine() const { return m_copyrights->text(); }
QString CAboutDialog::OwnerLine() const { return m_owner->text(); }
QString CAboutDialog::ProgramVersionLine() const { return m_program->text(); }

}  // namespace torvan
