#ifndef GAUSS_ANNOUNCER_H
#define GAUSS_ANNOUNCER_H

// One short sentence for a screen reader when something happens that shows
// nowhere near the focus: a copy, a paste that arranged the grid, a zoom.

#include <QLabel>

class QAccessibleInterface;

// A notification, as assistive technology knows them: it appears with its
// sentence as its name, and a screen reader reads it out as it appears.
class Announcer : public QLabel
{
    Q_OBJECT

public:
    // Each sentence comes as a new notification in place of the last: a
    // screen reader keeps the name it first read of an object, and Qt 6.4
    // tells it no new one.
    static void announce(QWidget *window, const QString &sentence);

    QString sentence() const { return said; }

    // Installed once for the application with QAccessible::installFactory.
    static QAccessibleInterface *accessible(const QString &key, QObject *object);

private:
    Announcer(QWidget *window, const QString &sentence);
    QString said;
};

#endif
