#include "gui/Messages.h"

#include <QWidget>

#include "gui/Dialogs.h"
#include "gui/UiText.h"

void Messages::Info(const std::string& text) const {
    dialogs_.Message(&window_, window_.windowTitle(), Q(text), Dialogs::Icon::Information);
}

void Messages::Error(const std::string& text) const {
    dialogs_.Message(&window_, window_.windowTitle(), Q(text), Dialogs::Icon::Error);
}

void Messages::GeneralError(const std::string& text) const {
    dialogs_.Message(&window_, Q(kApplicationTitle), Q(text), Dialogs::Icon::Error);
}
