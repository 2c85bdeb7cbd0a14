// The "Report" page: the report lines and the buttons to save and print them.
#pragma once

#include <QWidget>
#include <string>
#include <vector>

class QListWidget;
class QPushButton;

namespace tarvex {

class ReportPage : public QWidget {
    Q_OBJECT

  public:
    explicit ReportPage(QWidget* parent = nullptr);

    void Retranslate();
    void ShowLines(const std::vector<std::string>& lines);

  Q_SIGNALS:
    void saveClicked();
    void printClicked();

  private:
    QPushButton *btnReportSave_, *btnReportPrint_;
    QListWidget* lstReport_;
};

}  // namespace tarvex
