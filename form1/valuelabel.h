#ifndef GAUSS_VALUELABEL_H
#define GAUSS_VALUELABEL_H

#include "numberview.h"

#include <QLabel>

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
    // Shows text, which rounds exact.
    void setValue(const QString &text, const mpq_class &exact);
    void forgetExactValue() { exactValue.forget(); }
    QString exactDescription() const { return exactValue.description(text()); }

    // What the label draws now, and in which font.
    QString drawnText() const { return drawing().text; }
    QFont drawnFont() const { return drawing().font; }

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    FittedNumber drawing() const { return fitNumber(text(), font(), contentsRect().width()); }
    int x;
    ExactNote exactValue;
};

#endif
