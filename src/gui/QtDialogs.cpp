#include "gui/QtDialogs.h"

#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QUrl>

#include "shell/Help.h"

namespace tarvex {

void QtDialogs::Message(QWidget* parent, const QString& caption, const QString& text, Icon icon) {
    QMessageBox box(icon == Icon::Error ? QMessageBox::Critical : QMessageBox::Information, caption,
                    text, QMessageBox::Ok, parent);
    box.exec();
}

Dialogs::Choice QtDialogs::AskToSave(QWidget* parent, const QString& caption, const QString& text) {
    QMessageBox box(QMessageBox::Warning, caption, text,
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
    box.setDefaultButton(QMessageBox::Save);
    switch (box.exec()) {
        case QMessageBox::Save:
            return Choice::Save;
        case QMessageBox::Discard:
            return Choice::Discard;
        default:
            return Choice::Cancel;
    }
}

bool QtDialogs::AskYesNo(QWidget* parent, const QString& caption, const QString& text) {
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::Yes | QMessageBox::No,
                    parent);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

QString QtDialogs::RunFileDialog(QWidget* parent, const FileRequest& request, bool save) {
    QFileDialog dialog(parent, request.title, lastFolder_);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilters(request.filter.split(QStringLiteral(";;")));
    dialog.setDefaultSuffix(request.defaultSuffix);
    dialog.setOption(QFileDialog::ReadOnly, false);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    const QString path = dialog.selectedFiles().first();
    lastFolder_ = QFileInfo(path).absolutePath();
    return path;
}

QString QtDialogs::OpenFile(QWidget* parent, const FileRequest& request) {
    return RunFileDialog(parent, request, false);
}

QString QtDialogs::SaveFile(QWidget* parent, const FileRequest& request) {
    return RunFileDialog(parent, request, true);
}

std::optional<QFont> QtDialogs::ChooseFont(QWidget* parent, const QFont& initial) {
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, initial, parent);
    if (!ok) return std::nullopt;
    return font;
}

void QtDialogs::SetUpPage(QWidget* parent, QPrinter& printer) {
    QPageSetupDialog dialog(&printer, parent);
    dialog.exec();
}

bool QtDialogs::ConfirmPrint(QWidget* parent, QPrinter& printer) {
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

void QtDialogs::Run(QDialog& dialog) {
    dialog.exec();
}

bool QtDialogs::OpenUrl(const QUrl& url) {
    return DesktopUrlOpener()(url);
}

void QtDialogs::OpenDocument(const QUrl& file, const std::function<void()>& failed) {
    DesktopDocumentOpener (&openers_)(file, failed);
}

}  // namespace tarvex
