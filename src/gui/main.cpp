// Start-up: the application, its title and the main window.
#include <QApplication>
#include <QMessageBox>
#include <cstdio>
#include <cstring>
#include <exception>
#include <optional>

#include "gui/MainWindow.h"
#include "gui/QtDialogs.h"
#include "gui/UiText.h"
#include "text/Translate.h"

namespace tarvex {

namespace {

void ShowGeneralError(const std::exception& error) {
    QMessageBox::critical(QApplication::activeWindow(), Q(kApplicationTitle), Q(error.what()));
}

// An error that no command handles ends that command only: it is shown in the
// general error box and the program goes on.
class Application : public QApplication {
  public:
    using QApplication::QApplication;

    bool notify(QObject* receiver, QEvent* event) override {
        try {
            return QApplication::notify(receiver, event);
        } catch (const std::exception& error) {
            ShowGeneralError(error);
            return false;
        }
    }
};

// --version and --help are answered before Qt starts, so that they work without a
// display (package checks, a terminal over ssh). The exit status when answered.
std::optional<int> AnswerInformationOption(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("tarvex %s\n", TARVEX_VERSION);
            return 0;
        }
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::printf(
                "Usage: tarvex [PROJECT.dat]\n"
                "Opens the Tarvex sheet cutting window, with the project PROJECT.dat when given.\n"
                "\n"
                "  -h, --help  print this help and exit\n"
                "  --version   print the version and exit\n"
                "\n"
                "Qt's options such as -platform and -style are accepted too; see tarvex(1).\n");
            return 0;
        }
    }
    return std::nullopt;
}

}  // namespace

int Main(int argc, char** argv) {
    if (const auto status = AnswerInformationOption(argc, argv)) return *status;
    Application app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tarvex"));
    QApplication::setApplicationVersion(QStringLiteral(TARVEX_VERSION));
    // Lets the desktop match the window to the installed entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("tarvex"));
    try {
        // Qt's constructor has set the locale from the environment; the catalogs need
        // their own set-up after it.
        InitTranslation();
        QtDialogs dialogs;
        MainWindow window(dialogs, WindowFiles::Default());
        window.show();
        window.OfferRecovery();
        // "tarvex PROJECT.dat" opens the project at once.
        const QStringList arguments = QApplication::arguments();
        if (arguments.size() > 1) window.OpenProject(arguments.at(1));
        return app.exec();
    } catch (const std::exception& error) {
        ShowGeneralError(error);
        return 1;
    }
}

}  // namespace tarvex

int main(int argc, char** argv) {
    return tarvex::Main(argc, argv);
}
