// SPDX-License-Identifier: MIT
#include "desktop/dialog_filter.h"

#include <QStringList>

namespace fretlux {

namespace {

// Qt reads a filter's patterns from the parentheses at the end of its description and separates
// them by blanks. "*.*" means every file to the program, but only names with a dot to Qt.
QString QtPatterns(const QString& patterns) {
    QStringList result;
    for (const QString& pattern : patterns.split(';', Qt::SkipEmptyParts)) {
        const QString trimmed = pattern.trimmed();
        if (trimmed.isEmpty()) continue;
        result << (trimmed == QLatin1String("*.*") ? QStringLiteral("*") : trimmed);
    }
    return result.isEmpty() ? QStringLiteral("*") : result.join(' ');
}

// The description without the "(pattern)" it usually ends with, so that the pattern is not
// shown twice once Qt's own parentheses are added.
QString BareDescription(const QString& description, const QString& pattern) {
    const QString shownPattern = QStringLiteral("(") + pattern.trimmed() + QStringLiteral(")");
    QString bare = description.trimmed();
    if (bare.endsWith(shownPattern)) bare.chop(shownPattern.size());
    return bare.trimmed();
}

}  // namespace

QString QtFileFilter(std::string_view filter) {
    const QStringList parts =
        QString::fromUtf8(filter.data(), static_cast<qsizetype>(filter.size())).split('|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = BareDescription(parts[i], parts[i + 1]);
        const QString patterns = QtPatterns(parts[i + 1]);
        filters << (description.isEmpty() ? patterns
                                          : description + QStringLiteral(" (") + patterns + ')');
    }
    return filters.join(QStringLiteral(";;"));
}

}  // namespace fretlux
