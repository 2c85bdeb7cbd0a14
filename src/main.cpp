// Start-up: the application, its title and the main window.
#include <QApplication>

#include "app/ui/QtDialogs.h"
#include "app/ui/rectmain.h"
#include "shell/Translate.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tarvex"));
    QApplication::setApplicationVersion(QStringLiteral(TARVEX_VERSION));
    // Qt's constructor has set the locale from the environment; the catalogs need
    // their own set-up after it.
    InitTranslation();
    QtDialogs dialogs;
    TfrmMain window(dialogs, WindowFiles::Default());
    window.show();
    return app.exec();
}
