#include "app/ui/Messages.h"

#include <QWidget>

#include "app/ui/Dialogs.h"
#include "app/ui/UiText.h"

void Messages::Info(const std::string& text) const {
    dialogs_.Message(&window_, window_.windowTitle(), Q(text), Dialogs::Icon::Information);
}

void Messages::Error(const std::string& text) const {
    dialogs_.Message(&window_, window_.windowTitle(), Q(text), Dialogs::Icon::Error);
}

void Messages::GeneralError(const std::string& text) const {
    dialogs_.Message(&window_, Q(kApplicationTitle), Q(text), Dialogs::Icon::Error);
}
