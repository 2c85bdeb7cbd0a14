// Start-up: the application, its title and the main window.
#include <QApplication>

#include "app/ui/QtDialogs.h"
#include "app/ui/rectmain.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tarvex"));
    QApplication::setApplicationVersion(QStringLiteral(TARVEX_VERSION));
    QtDialogs dialogs;
    TfrmMain window(dialogs);
    window.show();
    return app.exec();
}
