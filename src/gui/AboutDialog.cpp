#include "gui/AboutDialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

#include "gui/Logo.h"
#include "text/FileMessages.h"
#include "text/Translate.h"

namespace tarvex {

namespace {

QString Tr(const char* msgid) {
    return QString::fromStdString(_(msgid));
}

QLabel* NewLink(const QString& name, const QString& address, const QString& shown) {
    auto* label =
        new QLabel(QStringLiteral("<a href=\"%1\">%2</a>").arg(address, shown.toHtmlEscaped()));
    label->setObjectName(name);
    label->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    label->setOpenExternalLinks(false);
    return label;
}

}  // namespace

AboutDialog::AboutDialog(std::function<void(const QUrl&)> openUrl, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(Tr("About"));

    auto* logo = new QLabel;
    logo->setObjectName(QStringLiteral("imgLogo"));
    logo->setPixmap(TarvexLogo(96));
    logo->setAlignment(Qt::AlignTop);

    auto* name = new QLabel(Tr("Tarvex sheet cutting system"));
    name->setObjectName(QStringLiteral("lblProduct"));
    QFont big = name->font();
    big.setPointSizeF(big.pointSizeF() * 1.4);
    big.setBold(true);
    name->setFont(big);
    auto* version =
        new QLabel(QString::fromStdString(Substitute(_("Version {1}"), {TARVEX_VERSION})));
    version->setObjectName(QStringLiteral("lblVersion"));
    auto* licence =
        new QLabel(QString::fromStdString(Substitute(_("Licence: {1}"), {TARVEX_LICENSE})));
    licence->setObjectName(QStringLiteral("lblLicense"));
    licence->setWordWrap(true);

    const QString home = QStringLiteral(TARVEX_HOMEPAGE);
    auto* homePage = new QHBoxLayout;
    homePage->addWidget(new QLabel(Tr("Home page:")));
    QLabel* homeLink = NewLink(QStringLiteral("lblWeb"), home, home);
    homePage->addWidget(homeLink, 1);
    connect(homeLink, &QLabel::linkActivated, this,
            [openUrl](const QString& address) { openUrl(QUrl(address)); });

    auto* text = new QVBoxLayout;
    text->addWidget(name);
    text->addWidget(version);
    text->addWidget(licence);
    text->addSpacing(12);
    text->addLayout(homePage);
    text->addStretch();

    auto* top = new QHBoxLayout;
    top->addWidget(logo);
    top->addSpacing(12);
    top->addLayout(text, 1);

    auto* buttons = new QDialogButtonBox;
    QPushButton* ok = buttons->addButton(Tr("Ok"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("btnOk"));
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace tarvex
