// The program's message boxes: its own messages captioned with the window's
// caption (error icon for bad input, information for outcomes), and the general
// error box captioned with the application's title.
#pragma once

#include <QString>
#include <string>

class QWidget;

namespace tarvex {

class Dialogs;

class Messages {
  public:
    Messages(Dialogs& dialogs, QWidget& window) : dialogs_(dialogs), window_(window) {}

    void Info(const std::string& text) const;
    void Error(const std::string& text) const;
    void GeneralError(const std::string& text) const;

  private:
    Dialogs& dialogs_;
    QWidget& window_;
};

}  // namespace tarvex
