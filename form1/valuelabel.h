#ifndef GAUSS_VALUELABEL_H
#define GAUSS_VALUELABEL_H

// A value of the solution area: the unknown's value drawn uncut, its exact
// value a hover away, and what a screen reader hears of it.

#include "numberview.h"

#include <QLabel>

class QAccessibleInterface;

// A value label of the solution area, Label10 .. Label90: the value of the
// unknown x<unknown>, rounded to three decimals. A value wider than the label
// is drawn smaller or shortened as in the grid's cells, never cut; hovering
// shows it whole and its exact value, which a screen reader gets as the
// label's description.
class ValueLabel : public QLabel
{
    Q_OBJECT

public:
    ValueLabel(int unknown, QWidget *parent);

    int unknown() const { return x; }
    // Shows the value as format writes it.
    void setValue(const NumberFormat &format, const NumberFormat::Number &value);
    // The value written, shown again as format writes it.
    void setView(const NumberFormat &format);
    // Shows an expression of a general solution, whole a hover away where
    // the label is too narrow for it.
    void setExpression(const QString &expression);
    void forgetExactValue()
    {
        exactValue.forget();
        setToolTip(QString());
    }
    QString exactDescription() const { return exactValue.description(text()); }

    // What a screen reader is told of a value label: "x1 = 2", and where the
    // caption rounds the value, "точно 7/3" as its description (in the
    // fraction view, the rounded decimal). Installed once
    // for the application with QAccessible::installFactory.
    static QAccessibleInterface *accessible(const QString &key, QObject *object);

    // What the label draws now, and in which font.
    QString drawnText() const { return drawing().text; }
    QFont drawnFont() const { return drawing().font; }

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    const FittedNumber &drawing() const { return fit(text(), font(), contentsRect().width()); }
    int x;
    ExactNote exactValue;
    mutable NumberFit fit{true}; // an expression ends in "…" where it does not fit
};

#endif
