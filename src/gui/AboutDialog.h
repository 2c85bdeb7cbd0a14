// The about dialog: logo, product name, version and the ways to reach the maker.
#pragma once

#include <QDialog>
#include <functional>

class QUrl;

class AboutDialog : public QDialog {
    Q_OBJECT

  public:
    static constexpr const char* kWebPage = "https://tarvex.example.com";
    static constexpr const char* kMail = "support@tarvex.example.com";

    // `openUrl` opens a web page or a new mail (the desktop's programs in the real
    // window). The texts are translated into the current language when it is built.
    explicit AboutDialog(std::function<void(const QUrl&)> openUrl, QWidget* parent = nullptr);
};
