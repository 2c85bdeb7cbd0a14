// The update dialog: the release notes of a newer version and a way to its download page.
#pragma once

#include <QDialog>
#include <QUrl>

#include "shell/UpdateConfig.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QWidget;

namespace tarvex {

class UpdateCheck;

class UpdateDialog : public QDialog {
    Q_OBJECT
  public:
    UpdateDialog(const QString& notes, QWidget* parent = nullptr,
                 UrlOpener open = DesktopUrlOpener());

    QLabel* lblContent;
    QPlainTextEdit* mmoUpdates;
    QPushButton* btn1;   // "Download(&D)"
    QPushButton* btnOk;  // "Close(&C)"

  private:
    UrlOpener open_;
};

// The check the window runs once after start: fetches `page` in the background and,
// when it names a newer version, shows UpdateDialog modally over `window` (without
// blocking the event loop); the dialog is destroyed when closed. Returns the running
// check, owned by `window` and destroyed when it finishes.
UpdateCheck* StartUpdateCheck(QWidget* window, const QUrl& page, const QString& localCopy);

}  // namespace tarvex
