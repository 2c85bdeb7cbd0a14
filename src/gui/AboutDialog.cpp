#include "gui/AboutDialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QUrl>
#include <QUrlQuery>
#include <QVBoxLayout>

#include "gui/Logo.h"
#include "text/Translate.h"

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
    auto* version = new QLabel(QStringLiteral("Ver. 3.2.1207"));
    version->setObjectName(QStringLiteral("lblVersion"));

    const QString web = QString::fromLatin1(kWebPage);
    QUrl mail(QStringLiteral("mailto:") + QString::fromLatin1(kMail));
    QUrlQuery subject;
    subject.addQueryItem(QStringLiteral("subject"), QStringLiteral("Tarvex sheet cutting system"));
    mail.setQuery(subject);

    auto* contacts = new QGridLayout;
    contacts->addWidget(new QLabel(Tr("Web:")), 0, 0);
    QLabel* webLink = NewLink(QStringLiteral("lblWeb"), web, web);
    contacts->addWidget(webLink, 0, 1);
    contacts->addWidget(new QLabel(Tr("E-mail:")), 1, 0);
    QLabel* mailLink =
        NewLink(QStringLiteral("lblMail"), mail.toString(), QString::fromLatin1(kMail));
    contacts->addWidget(mailLink, 1, 1);
    contacts->addWidget(new QLabel(Tr("Tel:")), 2, 0);
    contacts->addWidget(new QLabel(QStringLiteral("+1 555 0100")), 2, 1);
    contacts->addWidget(new QLabel(Tr("Messenger:")), 3, 0);
    contacts->addWidget(new QLabel(QStringLiteral("tarvex-support")), 3, 1);
    contacts->setColumnStretch(1, 1);
    for (QLabel* link : {webLink, mailLink})
        connect(link, &QLabel::linkActivated, this,
                [openUrl](const QString& address) { openUrl(QUrl(address)); });

    auto* text = new QVBoxLayout;
    text->addWidget(name);
    text->addWidget(version);
    text->addSpacing(12);
    text->addLayout(contacts);
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
