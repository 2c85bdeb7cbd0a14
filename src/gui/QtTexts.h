// Qt's own texts (the buttons of message boxes, the file and print dialogs) in
// the program's language, from the translations Qt ships for the desktop.
#pragma once

#include <QTranslator>
#include <string>

namespace tarvex {

class QtTexts {
  public:
    QtTexts() = default;
    QtTexts(const QtTexts&) = delete;
    QtTexts& operator=(const QtTexts&) = delete;
    ~QtTexts();

    // Switches them to the language code ("zh_cn"); a language Qt has no
    // translation for leaves them in English.
    void Use(const std::string& code);

  private:
    QTranslator translator_;
    bool installed_ = false;
};

}  // namespace tarvex
