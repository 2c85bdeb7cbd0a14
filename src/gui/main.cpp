// Start-up: the application, its title and the main window.
#include <QApplication>
#include <QMessageBox>
#include <exception>

#include "gui/MainWindow.h"
#include "gui/QtDialogs.h"
#include "gui/UiText.h"
#include "text/Translate.h"

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

}  // namespace

int main(int argc, char** argv) {
    Application app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tarvex"));
    QApplication::setApplicationVersion(QStringLiteral(TARVEX_VERSION));
    try {
        // Qt's constructor has set the locale from the environment; the catalogs need
        // their own set-up after it.
        InitTranslation();
        QtDialogs dialogs;
        MainWindow window(dialogs, WindowFiles::Default());
        window.show();
        // "tarvex PROJECT.dat" opens the project at once.
        const QStringList arguments = QApplication::arguments();
        if (arguments.size() > 1) window.OpenProject(arguments.at(1));
        return app.exec();
    } catch (const std::exception& error) {
        ShowGeneralError(error);
        return 1;
    }
}
