#include "render/ColorList.h"

#include <QGuiApplication>
#include <QPalette>

namespace tarvex {

namespace {

// Marks a message id for extraction; the colour boxes translate the names.
constexpr const char* N_(const char* msgid) {
    return msgid;
}

struct FixedColor {
    const char* name;
    int r, g, b;
};

constexpr FixedColor kFixed[] = {
    {N_("Black"), 0, 0, 0},
    {N_("Maroon"), 128, 0, 0},
    {N_("Green"), 0, 128, 0},
    {N_("Olive"), 128, 128, 0},
    {N_("Navy"), 0, 0, 128},
    {N_("Purple"), 128, 0, 128},
    {N_("Teal"), 0, 128, 128},
    {N_("Gray"), 128, 128, 128},
    {N_("Silver"), 192, 192, 192},
    {N_("Red"), 255, 0, 0},
    {N_("Lime"), 0, 255, 0},
    {N_("Yellow"), 255, 255, 0},
    {N_("Blue"), 0, 0, 255},
    {N_("Fuchsia"), 255, 0, 255},
    {N_("Aqua"), 0, 255, 255},
    {N_("White"), 255, 255, 255},
    {N_("Money Green"), 192, 220, 192},
    {N_("Sky Blue"), 166, 202, 240},
    {N_("Cream"), 255, 251, 240},
    {N_("Medium Gray"), 160, 160, 164},
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
    {N_("Active Border"), QPalette::Active, QPalette::Window},
    {N_("Active Caption"), QPalette::Active, QPalette::Highlight},
    {N_("Application Workspace"), QPalette::Active, QPalette::Mid},
    {N_("Desktop Background"), QPalette::Active, QPalette::Dark},
    {N_("Button Face"), QPalette::Active, QPalette::Button},
    {N_("Button Highlight"), QPalette::Active, QPalette::Light},
    {N_("Button Shadow"), QPalette::Active, QPalette::Dark},
    {N_("Button Text"), QPalette::Active, QPalette::ButtonText},
    {N_("Caption Text"), QPalette::Active, QPalette::HighlightedText},
    {N_("Gradient Active Caption"), QPalette::Active, QPalette::Highlight},
    {N_("Gradient Inactive Caption"), QPalette::Inactive, QPalette::Midlight},
    {N_("Gray Text"), QPalette::Disabled, QPalette::Text},
    {N_("Highlight"), QPalette::Active, QPalette::Highlight},
    {N_("Highlight Text"), QPalette::Active, QPalette::HighlightedText},
    {N_("Hot Light"), QPalette::Active, QPalette::Link},
    {N_("Inactive Border"), QPalette::Inactive, QPalette::Window},
    {N_("Inactive Caption"), QPalette::Inactive, QPalette::Mid},
    {N_("Inactive Caption Text"), QPalette::Disabled, QPalette::WindowText},
    {N_("Info Background"), QPalette::Active, QPalette::ToolTipBase},
    {N_("Info Text"), QPalette::Active, QPalette::ToolTipText},
    {N_("Menu"), QPalette::Active, QPalette::Window},
    {N_("Menu Bar"), QPalette::Active, QPalette::Button},
    {N_("Menu Highlight"), QPalette::Active, QPalette::Highlight},
    {N_("Menu Text"), QPalette::Active, QPalette::WindowText},
    {N_("Scroll Bar"), QPalette::Active, QPalette::Midlight},
    {N_("3D Dark Shadow"), QPalette::Active, QPalette::Shadow},
    {N_("3D Light"), QPalette::Active, QPalette::Midlight},
    {N_("Window"), QPalette::Active, QPalette::Base},
    {N_("Window Frame"), QPalette::Active, QPalette::Shadow},
    {N_("Window Text"), QPalette::Active, QPalette::Text},
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

}  // namespace tarvex
