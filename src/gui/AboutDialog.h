// The about dialog: logo, product name, and the version, licence and home page the
// program was built with.
#pragma once

#include <QDialog>
#include <functional>

class QUrl;

namespace tarvex {

class AboutDialog : public QDialog {
    Q_OBJECT

  public:
    // `openUrl` opens the home page (the desktop's browser in the real window). The
    // texts are translated into the current language when it is built.
    explicit AboutDialog(std::function<void(const QUrl&)> openUrl, QWidget* parent = nullptr);
};

}  // namespace tarvex
