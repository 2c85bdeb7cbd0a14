#include "app/ColorList.h"

#include <QGuiApplication>
#include <QPalette>

namespace {

struct FixedColor {
    const char* name;
    int r, g, b;
};

constexpr FixedColor kFixed[] = {
    {"Black", 0, 0, 0},
    {"Maroon", 128, 0, 0},
    {"Green", 0, 128, 0},
    {"Olive", 128, 128, 0},
    {"Navy", 0, 0, 128},
    {"Purple", 128, 0, 128},
    {"Teal", 0, 128, 128},
    {"Gray", 128, 128, 128},
    {"Silver", 192, 192, 192},
    {"Red", 255, 0, 0},
    {"Lime", 0, 255, 0},
    {"Yellow", 255, 255, 0},
    {"Blue", 0, 0, 255},
    {"Fuchsia", 255, 0, 255},
    {"Aqua", 0, 255, 255},
    {"White", 255, 255, 255},
    {"Money Green", 192, 220, 192},
    {"Sky Blue", 166, 202, 240},
    {"Cream", 255, 251, 240},
    {"Medium Gray", 160, 160, 164},
};
constexpr int kFixedCount = sizeof kFixed / sizeof kFixed[0];

struct ThemeColor {
    const char* name;
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

// Each theme colour of the desktop the list was made for, mapped to the palette
// role that paints the same kind of surface or text here.
constexpr ThemeColor kTheme[] = {
    {"Active Border", QPalette::Active, QPalette::Window},
    {"Active Caption", QPalette::Active, QPalette::Highlight},
    {"Application Workspace", QPalette::Active, QPalette::Mid},
    {"Desktop Background", QPalette::Active, QPalette::Dark},
    {"Button Face", QPalette::Active, QPalette::Button},
    {"Button Highlight", QPalette::Active, QPalette::Light},
    {"Button Shadow", QPalette::Active, QPalette::Dark},
    {"Button Text", QPalette::Active, QPalette::ButtonText},
    {"Caption Text", QPalette::Active, QPalette::HighlightedText},
    {"Gradient Active Caption", QPalette::Active, QPalette::Highlight},
    {"Gradient Inactive Caption", QPalette::Inactive, QPalette::Midlight},
    {"Gray Text", QPalette::Disabled, QPalette::Text},
    {"Highlight", QPalette::Active, QPalette::Highlight},
    {"Highlight Text", QPalette::Active, QPalette::HighlightedText},
    {"Hot Light", QPalette::Active, QPalette::Link},
    {"Inactive Border", QPalette::Inactive, QPalette::Window},
    {"Inactive Caption", QPalette::Inactive, QPalette::Mid},
    {"Inactive Caption Text", QPalette::Disabled, QPalette::WindowText},
    {"Info Background", QPalette::Active, QPalette::ToolTipBase},
    {"Info Text", QPalette::Active, QPalette::ToolTipText},
    {"Menu", QPalette::Active, QPalette::Window},
    {"Menu Bar", QPalette::Active, QPalette::Button},
    {"Menu Highlight", QPalette::Active, QPalette::Highlight},
    {"Menu Text", QPalette::Active, QPalette::WindowText},
    {"Scroll Bar", QPalette::Active, QPalette::Midlight},
    {"3D Dark Shadow", QPalette::Active, QPalette::Shadow},
    {"3D Light", QPalette::Active, QPalette::Midlight},
    {"Window", QPalette::Active, QPalette::Base},
    {"Window Frame", QPalette::Active, QPalette::Shadow},
    {"Window Text", QPalette::Active, QPalette::Text},
};
static_assert(kFixedCount + sizeof kTheme / sizeof kTheme[0] == kColorListSize);

QPalette ThemePalette() {
    // Without an application object there is no theme to ask: a palette derived
    // from the usual light-grey button colour stands in.
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return QGuiApplication::palette();
    return QPalette(QColor(240, 240, 240));
}

}  // namespace

QColor ListColor(int position) {
    if (position >= 0 && position < kFixedCount) {
        const FixedColor& c = kFixed[position];
        return QColor(c.r, c.g, c.b);
    }
    if (position >= kFixedCount && position < kColorListSize) {
        const ThemeColor& c = kTheme[position - kFixedCount];
        return ThemePalette().color(c.group, c.role);
    }
    return QColor(0, 0, 0);
}

const char* ListColorName(int position) {
    if (position >= 0 && position < kFixedCount) return kFixed[position].name;
    if (position >= kFixedCount && position < kColorListSize)
        return kTheme[position - kFixedCount].name;
    return "";
}
