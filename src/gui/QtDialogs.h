// The real dialogs of the desktop.
#pragma once

#include <QObject>
#include <QString>

#include "gui/Dialogs.h"

namespace tarvex {

class QtDialogs : public Dialogs {
  public:
    void Message(QWidget* parent, const QString& caption, const QString& text, Icon icon) override;
    Choice AskToSave(QWidget* parent, const QString& caption, const QString& text) override;
    bool AskYesNo(QWidget* parent, const QString& caption, const QString& text) override;
    QString OpenFile(QWidget* parent, const FileRequest& request) override;
    QString SaveFile(QWidget* parent, const FileRequest& request) override;
    std::optional<QFont> ChooseFont(QWidget* parent, const QFont& initial) override;
    void SetUpPage(QWidget* parent, QPrinter& printer) override;
    bool ConfirmPrint(QWidget* parent, QPrinter& printer) override;
    void Run(QDialog& dialog) override;
    bool OpenUrl(const QUrl& url) override;
    void OpenDocument(const QUrl& file, const std::function<void()>& failed) override;

  private:
    QString RunFileDialog(QWidget* parent, const FileRequest& request, bool save);

    // Like one shared dialog, the next dialog starts where the last one ended.
    QString lastFolder_;
    // Owns the programs opening documents while they are watched.
    QObject openers_;
};

}  // namespace tarvex
