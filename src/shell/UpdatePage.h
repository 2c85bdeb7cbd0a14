// The update page as the check reads it: the release notes to show and the newest
// version they name.
#pragma once

#include <QByteArray>
#include <QString>

namespace tarvex {

struct UpdatePage {
    QString notes;        // every line of the page, for the update dialog
    QString versionText;  // empty when the page names no usable version
};

// The version line is the first line that, trimmed, contains both a "." and a "(";
// the version is the text before the "(", trimmed, and must be longer than three
// characters ("3.3.0 (2016-01-20)" names 3.3.0; "3.3 (x)" names none).
UpdatePage ParseUpdatePage(const QByteArray& body);

}  // namespace tarvex
