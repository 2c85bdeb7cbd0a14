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

    // Texts of the messages shown so far.
    QStringList MessageTexts() const {
        QStringList texts;
        for (const ShownMessage& m : messages) texts << m.text;
        return texts;
    }

    std::vector<ShownMessage> messages;
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

  private:
    static QString Next(std::deque<QString>& answers) {
        if (answers.empty()) return {};
        QString answer = answers.front();
        answers.pop_front();
        return answer;
    }
};
