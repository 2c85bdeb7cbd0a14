#include "gui/QtTexts.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>

namespace tarvex {

QtTexts::~QtTexts() {
    if (installed_) QCoreApplication::removeTranslator(&translator_);
}

void QtTexts::Use(const std::string& code) {
    if (installed_) QCoreApplication::removeTranslator(&translator_);
    installed_ = false;
    // The program's codes are lower-cased folder names: "zh_cn" is Qt's "zh_CN".
    QString name = QString::fromStdString(code);
    if (const qsizetype bar = name.indexOf(QLatin1Char('_')); bar > 0)
        name = name.left(bar) + QLatin1Char('_') + name.mid(bar + 1).toUpper();
    if (name.isEmpty() || name.startsWith(QLatin1String("en"))) return;
    if (translator_.load(QLocale(name), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        installed_ = QCoreApplication::installTranslator(&translator_);
}

}  // namespace tarvex
