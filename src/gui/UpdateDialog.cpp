#include "gui/UpdateDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/UiText.h"
#include "shell/UpdateCheck.h"
#include "text/Translate.h"

namespace tarvex {

UpdateDialog::UpdateDialog(const QString& notes, QWidget* parent, UrlOpener open)
    : QDialog(parent), open_(std::move(open)) {
    setObjectName(QStringLiteral("TfrmUpdates"));
    // Texts are looked up on every creation, so the dialog follows the current language.
    setWindowTitle(Q(_("Updates")));
    lblContent = new QLabel(Q(_("Updates Content:")), this);
    lblContent->setObjectName(QStringLiteral("lblContent"));
    mmoUpdates = new QPlainTextEdit(this);
    mmoUpdates->setObjectName(QStringLiteral("mmoUpdates"));
    mmoUpdates->setReadOnly(true);
    // Long lines wrap; only the vertical scroll bar is shown.
    mmoUpdates->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    mmoUpdates->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    mmoUpdates->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    mmoUpdates->setPlainText(notes);
    btn1 = new QPushButton(Q(_("Download(&D)")), this);
    btn1->setObjectName(QStringLiteral("btn1"));
    btnOk = new QPushButton(Q(_("Close(&C)")), this);
    btnOk->setObjectName(QStringLiteral("btnOk"));
    btnOk->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btn1);
    buttons->addWidget(btnOk);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblContent);
    layout->addWidget(mmoUpdates);
    layout->addLayout(buttons);
    setFixedSize(464, 602);

    connect(btn1, &QPushButton::clicked, this, [this] { OpenDownloadPage(open_); });
    connect(btnOk, &QPushButton::clicked, this, &QDialog::accept);
}

UpdateCheck* StartUpdateCheck(QWidget* window, const QUrl& page, const QString& localCopy) {
    auto* check = new UpdateCheck(page, localCopy, window);
    QObject::connect(check, &UpdateCheck::NewerVersion, window, [window](const QString& notes) {
        auto* dialog = new UpdateDialog(notes, window);
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        dialog->setModal(true);
        dialog->show();
    });
    QObject::connect(check, &UpdateCheck::Finished, check, &QObject::deleteLater);
    check->DownloadUpdates();
    return check;
}

}  // namespace tarvex
