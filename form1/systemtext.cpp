#include "systemtext.h"

#include <QRegularExpression>

namespace gauss
{

QList<QStringList> systemRows(const QString &text)
{
    QStringList lines = text.split(u'\n');
    for (QString &line : lines)
        if (line.endsWith(u'\r'))
            line.chop(1);
    while (!lines.isEmpty() && lines.last().trimmed().isEmpty())
        lines.removeLast();

    // One separator for the whole text, so that a row never splits otherwise
    // than its neighbours.
    const bool tabs = text.contains(u'\t');
    const bool semicolons = !tabs && text.contains(u';');
    static const QRegularExpression blanks(QStringLiteral("\\s+"));

    QList<QStringList> rows;
    for (const QString &line : lines) {
        QStringList entries;
        if (tabs)
            entries = line.split(u'\t');
        else if (semicolons)
            entries = line.split(u';');
        else
            entries = line.split(blanks, Qt::SkipEmptyParts);
        // A blank line inside the block leaves its row of cells as they are.
        if (!line.contains(u'\t') && line.trimmed().isEmpty())
            entries.clear();
        QStringList row;
        for (const QString &entry : entries) {
            const QString trimmed = entry.trimmed();
            if (trimmed != QLatin1String("|"))
                row << trimmed;
        }
        rows << row;
    }
    return rows;
}

int entryCount(const QList<QStringList> &rows)
{
    int count = 0;
    for (const QStringList &row : rows)
        count += int(row.size());
    return count;
}

int systemSize(const QList<QStringList> &rows)
{
    const int n = int(rows.size());
    if (n < 2 || n > 9)
        return 0;
    for (const QStringList &row : rows)
        if (row.size() != n + 1)
            return 0;
    return n;
}

} // namespace gauss
