#include "shell/UpdatePage.h"

#include <QRegularExpression>
#include <QStringDecoder>
#include <QStringList>

namespace tarvex {

namespace {

// Codes 0 to 32, not the wider Unicode blank set of QString::trimmed.
QString TrimControls(const QString& text) {
    qsizetype begin = 0, end = text.size();
    while (begin < end && text[begin].unicode() <= 32) ++begin;
    while (end > begin && text[end - 1].unicode() <= 32) --end;
    return text.mid(begin, end - begin);
}

}  // namespace

UpdatePage ParseUpdatePage(const QByteArray& body) {
    // The decoder drops a leading byte-order mark, which would spoil the version.
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8.decode(body);
    QStringList lines = text.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")));
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();

    UpdatePage page;
    page.notes = lines.join(QLatin1Char('\n'));
    for (const QString& line : lines) {
        const QString trimmed = TrimControls(line);
        if (trimmed.isEmpty() || !trimmed.contains(QLatin1Char('.')) ||
            !trimmed.contains(QLatin1Char('(')))
            continue;
        const QString version = TrimControls(trimmed.left(trimmed.indexOf(QLatin1Char('('))));
        if (version.size() > 3) page.versionText = version;
        break;
    }
    return page;
}

}  // namespace tarvex
