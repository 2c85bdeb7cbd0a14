// Dialogs answered by the test: file names and choices are queued beforehand, and
// every message shown is recorded.
#pragma once

#include <QStringList>
#include <QUrl>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include "gui/Dialogs.h"

namespace tarvex {

struct ShownMessage {
    QString caption;
    QString text;
    Dialogs::Icon icon;
};

class ScriptedDialogs : public Dialogs {
  public:
    void Message(QWidget*, const QString& caption, const QString& text, Icon icon) override {
        messages.push_back({caption, text, icon});
    }
    Choice AskToSave(QWidget*, const QString&, const QString& text) override {
        questions << text;
        if (saveChoices.empty()) return Choice::Cancel;
        const Choice choice = saveChoices.front();
        saveChoices.pop_front();
        return choice;
    }
    bool AskYesNo(QWidget*, const QString&, const QString& text) override {
        yesNoQuestions << text;
        if (yesNoAnswers.empty()) return false;
        const bool answer = yesNoAnswers.front();
        yesNoAnswers.pop_front();
        return answer;
    }
    QString OpenFile(QWidget*, const FileRequest& request) override {
        fileRequests.push_back(request);
        return Next(openAnswers);
    }
    QString SaveFile(QWidget*, const FileRequest& request) override {
        fileRequests.push_back(request);
        return Next(saveAnswers);
    }
    std::optional<QFont> ChooseFont(QWidget*, const QFont& initial) override {
        fontAsked = initial;
        return fontAnswer;
    }
    void SetUpPage(QWidget*, QPrinter&) override { ++pageSetups; }
    bool ConfirmPrint(QWidget*, QPrinter& printer) override {
        ++printDialogs;
        if (printAnswer) printAnswer(printer);
        return static_cast<bool>(printAnswer);
    }
    void Run(QDialog& dialog) override {
        if (onDialog) onDialog(dialog);
        ++dialogsRun;
    }
    bool OpenUrl(const QUrl& url) override {
        urls.push_back(url);
        return true;
    }
    void OpenDocument(const QUrl& file, const std::function<void()>& failed) override {
        urls.push_back(file);
        if (!documentsOpen) failed();
    }

    // Texts of the messages shown so far.
    QStringList MessageTexts() const {
        QStringList texts;
        for (const ShownMessage& m : messages) texts << m.text;
        return texts;
    }

    std::vector<ShownMessage> messages;
    QStringList questions;           // asked whether to save
    std::deque<Choice> saveChoices;  // their answers; Cancel when none is left
    QStringList yesNoQuestions;
    std::deque<bool> yesNoAnswers;  // no when none is left
    std::vector<FileRequest> fileRequests;
    std::deque<QString> openAnswers;  // an empty text cancels
    std::deque<QString> saveAnswers;
    std::optional<QFont> fontAnswer;
    std::optional<QFont> fontAsked;
    int pageSetups = 0;
    int printDialogs = 0;
    // Set to confirm the print dialog (it may direct the printer to a file).
    std::function<void(QPrinter&)> printAnswer;
    std::function<void(QDialog&)> onDialog;
    int dialogsRun = 0;
    std::vector<QUrl> urls;
    bool documentsOpen = true;  // false: no program opens a document

  private:
    static QString Next(std::deque<QString>& answers) {
        if (answers.empty()) return {};
        QString answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

}  // namespace tarvex
