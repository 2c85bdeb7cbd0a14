#include "gui/Messages.h"

#include <QWidget>

#include "gui/Dialogs.h"
#include "gui/UiText.h"

namespace tarvex {

namespace {

// The window's caption without the mark of changes that are not saved.
QString CaptionOf(const QWidget& window) {
    QString caption = window.windowTitle();
    if (caption.startsWith(QLatin1Char('*'))) caption.remove(0, 1);
    return caption;
}

}  // namespace

void Messages::Info(const std::string& text) const {
    dialogs_.Message(&window_, CaptionOf(window_), Q(text), Dialogs::Icon::Information);
}

void Messages::Error(const std::string& text) const {
    dialogs_.Message(&window_, CaptionOf(window_), Q(text), Dialogs::Icon::Error);
}

void Messages::GeneralError(const std::string& text) const {
    dialogs_.Message(&window_, Q(kApplicationTitle), Q(text), Dialogs::Icon::Error);
}

}  // namespace tarvex
