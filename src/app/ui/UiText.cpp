#include "app/ui/UiText.h"

#include <QStringList>

QString QtFileFilter(const std::string& pipeFilter) {
    const QStringList parts = Q(pipeFilter).split(QLatin1Char('|'));
    QStringList filters;
    // Every even entry is a description; Qt reads the patterns from its parentheses,
    // so a description without them gets the pattern that follows it.
    for (qsizetype i = 0; i < parts.size(); i += 2) {
        QString description = parts[i];
        const QString pattern = i + 1 < parts.size() ? parts[i + 1] : QString();
        if (!description.contains(QLatin1Char('(')) && !pattern.isEmpty())
            description += QStringLiteral(" (") + pattern + QLatin1Char(')');
        filters << description;
    }
    return filters.join(QStringLiteral(";;"));
}
