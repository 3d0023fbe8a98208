#ifndef GAUSS_SYSTEMTEXT_H
#define GAUSS_SYSTEMTEXT_H

#include <QList>
#include <QStringList>

namespace gauss
{

// Splits text pasted into the grid into rows of trimmed entries, as a
// spreadsheet, a text editor or a worksheet lays a system out. Rows are lines
// (\n or \r\n; blank lines at the end dropped). Entries are separated by tabs;
// in text without a tab, by semicolons; in text without either, by runs of
// blanks. A lone "|" is dropped, so that "2 1 -1 | 8" reads as four entries.
// Nothing is read as a number here: the solve reads and reports the cells.
QList<QStringList> systemRows(const QString &text);

// The number of entries of all rows together.
int entryCount(const QList<QStringList> &rows);

// The size n of a system laid out as n rows of n + 1 entries, n = 2..9, or 0.
int systemSize(const QList<QStringList> &rows);

} // namespace gauss

#endif
