// Everything the window asks the user through a modal dialog goes through this
// seam, so that tests can answer the dialogs and the real window shows Qt's.
#pragma once

#include <QFont>
#include <QString>
#include <functional>
#include <optional>

#include "io/FileDialogs.h"

class QDialog;
class QPrinter;
class QUrl;
class QWidget;

namespace tarvex {

struct FileRequest {
    QString title;
    QString filter;         // in Qt's form ("Text file(*.txt);;...")
    QString defaultSuffix;  // without the dot
};

// The file dialog of a command, as the core describes it.
FileRequest FileRequestFor(FileDialogKind kind);

class Dialogs {
  public:
    enum class Icon { Information, Error };
    enum class Choice { Save, Discard, Cancel };

    virtual ~Dialogs() = default;

    virtual void Message(QWidget* parent, const QString& caption, const QString& text,
                         Icon icon) = 0;
    // Whether to save changes before they would be lost: save, discard or cancel.
    virtual Choice AskToSave(QWidget* parent, const QString& caption, const QString& text) = 0;
    // A question answered yes or no.
    virtual bool AskYesNo(QWidget* parent, const QString& caption, const QString& text) = 0;
    // The chosen path, or an empty text when the user cancels.
    virtual QString OpenFile(QWidget* parent, const FileRequest& request) = 0;
    // Asks before overwriting an existing file.
    virtual QString SaveFile(QWidget* parent, const FileRequest& request) = 0;
    virtual std::optional<QFont> ChooseFont(QWidget* parent, const QFont& initial) = 0;
    // The page setup dialog; its choices stay with the printer.
    virtual void SetUpPage(QWidget* parent, QPrinter& printer) = 0;
    // The print dialog; false when the user cancels.
    virtual bool ConfirmPrint(QWidget* parent, QPrinter& printer) = 0;
    // Runs a dialog of the program's own (about, updates) modally.
    virtual void Run(QDialog& dialog) = 0;
    // Opens a web address or a new mail with the desktop's default program.
    virtual bool OpenUrl(const QUrl& url) = 0;
    // Opens a file with the desktop's program for it; `failed` runs, perhaps
    // later, when no program could open it.
    virtual void OpenDocument(const QUrl& file, const std::function<void()>& failed) = 0;
};

}  // namespace tarvex
