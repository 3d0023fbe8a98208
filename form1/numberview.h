#ifndef GAUSS_NUMBERVIEW_H
#define GAUSS_NUMBERVIEW_H

// What the grid's cells and the solution's value labels share in showing a
// number: its fit in the room it has, and its exact value a hover away.

#include "numberformat.h"

#include <QFont>
#include <QString>
#include <functional>

class QEvent;
class QWidget;

struct FittedNumber {
    QString text;
    QFont font;
};

// A number text too wide for room pixels in font, drawn in a smaller font or
// shortened with "…", so that it shows how the number begins instead of being
// cut. The text and font themselves when they fit, or when nothing does;
// then, with endElided, any text is ended with "…" in the smallest size.
FittedNumber fitNumber(const QString &text, const QFont &font, int room, bool endElided = false);

// fitNumber() for one box, which asks again on every paint and tooltip with
// what has mostly not changed: a score of font measurements a time otherwise.
class NumberFit
{
public:
    explicit NumberFit(bool endElided = false) : endElided(endElided) {}
    const FittedNumber &operator()(const QString &text, const QFont &font, int room);

private:
    bool endElided;
    QString text;
    QFont font;
    int room = -1;
    FittedNumber fitted;
};

// The number a box was last given by the solve, in both views, and what
// hovering it adds in the view it is shown in. The user's own text, or any
// other, has none.
class ExactNote
{
public:
    // The box now shows number as format writes it.
    void set(const NumberFormat &format, const NumberFormat::Number &number);
    void forget();
    // Whether text is still the one written.
    bool shows(const QString &text) const { return known && text == written; }
    const NumberFormat::Number &number() const { return value; }
    // "точно 7/3" or "десетично 0.3333333" while text is still the one
    // written and says less than that; empty otherwise.
    QString description(const QString &text) const;
    // The value while text is still the one written; null otherwise.
    const mpq_class *valueOf(const QString &text) const
    {
        return shows(text) ? &value.exact : nullptr;
    }

private:
    QString written;
    NumberFormat format;
    NumberFormat::Number value;
    bool known = false;
};

// Handles a tooltip event of a box that shows text as drawn() draws it: the
// whole text when it is drawn shortened, and the exact value where there is
// one to tell. Any other event, and a tooltip set on the box itself, are left
// to Qt (false).
bool numberToolTipEvent(QWidget *box, QEvent *event, const QString &text,
                        const std::function<QString()> &drawn, const ExactNote &exact);

#endif
