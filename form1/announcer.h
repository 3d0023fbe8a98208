#ifndef GAUSS_ANNOUNCER_H
#define GAUSS_ANNOUNCER_H

// One short sentence for a screen reader when something happens that shows
// nowhere near the focus: a copy, a paste that arranged the grid, a zoom.

#include <QLabel>

class QAccessibleInterface;

// A notification, as assistive technology knows them: shown with its
// sentence as its name, which a screen reader reads out as it appears.
class Announcer : public QLabel
{
    Q_OBJECT

public:
    explicit Announcer(QWidget *window);

    void announce(const QString &sentence);
    QString lastSentence() const { return sentence; }

    // Installed once for the application with QAccessible::installFactory.
    static QAccessibleInterface *accessible(const QString &key, QObject *object);

private:
    QString sentence;
};

#endif
