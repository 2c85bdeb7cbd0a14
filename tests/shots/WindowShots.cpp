// Takes the README's pictures of the window: the kitchen example opened, its plan
// calculated from a fixed seed, and each page grabbed, in English and in Chinese;
// the example in inches, its layouts with their sizes and its settings; and the
// example in three materials with edge banding: its layouts, parts and settings.
// Run by scripts/screenshots; the suite runs it too, into a scratch folder, so the
// pictures can always be made again.
//
//   window_shots SOURCE_DIR OUTPUT_DIR
//
// writes OUTPUT_DIR/LANGUAGE/window-PAGE.png, OUTPUT_DIR/window-zoomed.png and
// OUTPUT_DIR/window-inches-PAGE.png and OUTPUT_DIR/window-cabinets-PAGE.png.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSlider>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <utility>
#include <vector>

#include "ScriptedDialogs.h"
#include "UiWait.h"
#include "gui/MainWindow.h"
#include "text/Translate.h"

using namespace tarvex;

namespace fs = std::filesystem;

namespace {

template <class T>
T& Child(MainWindow& window, const char* name) {
    T* found = window.findChild<T*>(QString::fromUtf8(name));
    if (!found) throw std::runtime_error(std::string("no widget named ") + name);
    return *found;
}

void Save(QWidget& widget, const fs::path& file) {
    fs::create_directories(file.parent_path());
    if (!widget.grab().save(QString::fromStdString(file.string())))
        throw std::runtime_error("cannot write " + file.string());
    std::printf("%s\n", file.string().c_str());
}

struct Example {
    const char* name;
    std::vector<std::pair<MainWindow::Page, const char*>> pages;
    fs::path folder;     // where the pages go
    const char* prefix;  // of their file names
    bool dimensions = false;
    QSize size{800, 600};
    const char* settingsInView = nullptr;  // the part of the settings page scrolled to
    int layout = 0;                        // the layout shown, counting from 0
};

// One language's pages of the example; the zoomed layout as well when `zoomed`
// names a file.
void Shoot(const fs::path& source, const Example& example, const char* language,
           const fs::path& zoomed) {
    QTemporaryDir folder;
    const fs::path settings = fs::path(folder.path().toStdString()) / "velkor.db";
    std::ofstream(settings, std::ios::binary) << "[Common]\r\nLanguage=" << language << "\r\n";
    SetLanguage(language);
    ScriptedDialogs dialogs;
    MainWindow window(dialogs, WindowFiles{settings,
                                           {},
                                           fs::path(TARVEX_BINARY_DIR) / "bin" / "locale",
                                           fs::path(folder.path().toStdString()) / "recovery"});
    window.resize(example.size);
    window.show();
    // A copy of the example, so that nothing the window keeps lands in the tree.
    const fs::path project = fs::path(folder.path().toStdString()) / example.name;
    fs::copy(source / "examples" / example.name, project);
    window.OpenProject(
        QString::fromStdString((project / (std::string(example.name) + ".dat")).string()));
    Child<QCheckBox>(window, "chkEdge").setChecked(example.dimensions);
    Child<QLineEdit>(window, "edtSeed").setText(QStringLiteral("7"));
    Child<QSlider>(window, "tbFast").setValue(1);
    Child<QPushButton>(window, "btnCalc").click();
    if (!WaitUntil([&] { return !dialogs.messages.empty(); }, 120000))
        throw std::runtime_error("the calculation did not end");
    auto& pages = Child<QTabWidget>(window, "pgcpg1");
    Child<QComboBox>(window, "cmbPages").setCurrentIndex(example.layout);
    for (const auto& [page, name] : example.pages) {
        pages.setCurrentIndex(page);
        if (page == MainWindow::kSetsPage && example.settingsInView) {
            WaitUntil([] { return false; }, 100);
            auto& settingsPart = Child<QWidget>(window, example.settingsInView);
            for (QWidget* w = &settingsPart; w; w = w->parentWidget())
                if (auto* scroll = qobject_cast<QScrollArea*>(w))
                    scroll->ensureWidgetVisible(&settingsPart);
        }
        WaitUntil([] { return false; }, 300);  // lets the page lay itself out and paint
        Save(window, example.folder / (std::string(example.prefix) + name + ".png"));
    }
    if (zoomed.empty()) return;
    pages.setCurrentIndex(MainWindow::kLayoutsPage);
    for (int k = 0; k < 3; ++k) Child<QToolButton>(window, "btnZoomIn").click();
    WaitUntil([] { return false; }, 300);
    Save(window, zoomed);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: window_shots SOURCE_DIR OUTPUT_DIR\n");
        return 2;
    }
    QApplication app(argc, argv);
    InitTranslation(fs::path(TARVEX_BINARY_DIR) / "bin" / "locale");
    try {
        const fs::path source = argv[1], out = argv[2];
        const std::vector<std::pair<MainWindow::Page, const char*>> every = {
            {MainWindow::kSheetsPage, "sheets"},
            {MainWindow::kPartsPage, "parts"},
            {MainWindow::kLayoutsPage, "layouts"},
            {MainWindow::kReportPage, "report"},
            {MainWindow::kSetsPage, "sets"}};
        Shoot(source, {"kitchen", every, out / "en_us", "window-"}, "en_us",
              out / "window-zoomed.png");
        Shoot(source, {"kitchen", every, out / "zh_cn", "window-"}, "zh_cn", {});
        Shoot(source,
              {"cabinets-inches",
               {{MainWindow::kLayoutsPage, "layouts"}, {MainWindow::kSetsPage, "sets"}},
               out,
               "window-inches-",
               true},
              "en_us", {});
        Shoot(source,
              {"cabinets",
               {{MainWindow::kLayoutsPage, "layouts"},
                {MainWindow::kPartsPage, "parts"},
                {MainWindow::kSetsPage, "sets"}},
               out,
               "window-cabinets-",
               false,
               {1000, 720},
               "grpBanding",
               5},
              "en_us", {});
    } catch (const std::exception& e) {
        std::fprintf(stderr, "window_shots: %s\n", e.what());
        return 1;
    }
    return 0;
}
