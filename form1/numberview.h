#ifndef GAUSS_NUMBERVIEW_H
#define GAUSS_NUMBERVIEW_H

// What the grid's cells and the solution's value labels share in showing a
// number: its fit in the room it has, and its exact value a hover away.

#include <QFont>
#include <QString>
#include <functional>
#include <gmpxx.h>

class QEvent;
class QWidget;

struct FittedNumber {
    QString text;
    QFont font;
};

// A number text too wide for room pixels in font, drawn in a smaller font or
// shortened with "…", so that it shows how the number begins instead of being
// cut. The text and font themselves when they fit, or when nothing does.
FittedNumber fitNumber(const QString &text, const QFont &font, int room);

// fitNumber() for one box, which asks again on every paint and tooltip with
// what has mostly not changed: a score of font measurements a time otherwise.
class NumberFit
{
public:
    const FittedNumber &operator()(const QString &text, const QFont &font, int room);

private:
    QString text;
    QFont font;
    int room = -1;
    FittedNumber fitted;
};

// The exact value of the text a box was last given by the solve. The user's
// own text, or any other, has none.
class ExactNote
{
public:
    void set(const QString &written, const mpq_class &value);
    void forget();
    // "точно 7/3" while text is still the one written and is not exactly the
    // value; empty otherwise.
    QString description(const QString &text) const;
    // The value while text is still the one written; null otherwise.
    const mpq_class *valueOf(const QString &text) const
    {
        return known && text == written ? &value : nullptr;
    }

private:
    QString written;
    mpq_class value;
    bool known = false;
};

// Handles a tooltip event of a box that shows text as drawn() draws it: the
// whole text when it is drawn shortened, and the exact value where there is
// one to tell. Any other event, and a tooltip set on the box itself, are left
// to Qt (false).
bool numberToolTipEvent(QWidget *box, QEvent *event, const QString &text,
                        const std::function<QString()> &drawn, const ExactNote &exact);

#endif
