#include "shell/form_about_box.h"

#include "widgets/action_icons.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

TFormAboutBox::TFormAboutBox(QWidget *parent)
    : QDialog(parent),
      m_productName(new QLabel(QStringLiteral("Tessaly"), this)),
      m_version(new QLabel(tr("Version %1").arg(QStringLiteral(TESSALY_VERSION)), this)),
      m_company(new QLabel(QStringLiteral(TESSALY_COMPANY), this)),
      m_copyright(new QLabel(QStringLiteral(TESSALY_COPYRIGHT), this))
{
    setObjectName(QStringLiteral("FormAboutBox"));
    setWindowTitle(tr("About"));

    auto *picture = new QLabel(this);
    picture->setPixmap(TActionIcons::ApplicationIcon().pixmap(64, 64));
    picture->setAlignment(Qt::AlignTop);

    QFont bold = m_productName->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.4);
    m_productName->setFont(bold);
    m_productName->setObjectName(QStringLiteral("ProductName"));
    m_version->setObjectName(QStringLiteral("Version"));
    m_company->setObjectName(QStringLiteral("Company"));
    m_copyright->setObjectName(QStringLiteral("Copyright"));
    m_copyright->setWordWrap(true);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto *layout = new QGridLayout(this);
    layout->addWidget(picture, 0, 0, 4, 1);
    layout->addWidget(m_productName, 0, 1);
    layout->addWidget(m_version, 1, 1);
    layout->addWidget(m_company, 2, 1);
    layout->addWidget(m_copyright, 3, 1);
    layout->addWidget(buttons, 4, 0, 1, 2);
    setFixedSize(sizeHint().expandedTo(QSize(360, 0)));
}

QString TFormAboutBox::ProductName() const
{
    return m_productName->text();
}

QString TFormAboutBox::Version() const
{
    return QStringLiteral(TESSALY_VERSION);
}

QString TFormAboutBox::Company() const
{
    return m_company->text();
}

QString TFormAboutBox::Copyright() const
{
    return m_copyright->text();
}
