#ifndef GAUSS_GRIDCELL_H
#define GAUSS_GRIDCELL_H

#include "numberview.h"

#include <QFont>
#include <QLineEdit>

// A cell of the grid. Its text is the number as written, and a second solve,
// copying and typing all see that text. Only its look at rest differs from a
// line edit's: a text too wide for the cell is drawn in a smaller font, then
// shortened from the end with "…", so the cell shows how the number begins
// instead of scrolling to its last digits. The whole text is then its tooltip,
// and so is the exact value of a number the solve wrote, where the text has
// rounded it.
class GridCell : public QLineEdit
{
    Q_OBJECT

public:
    explicit GridCell(QWidget *parent = nullptr);

    // What the cell draws now, and in which font.
    QString drawnText() const { return drawing().text; }
    QFont drawnFont() const { return drawing().font; }
    bool isShortened() const { return drawnText() != text(); }

    // The exact value of the text just written; forgotten once the text changes.
    void setExactValue(const mpq_class &value) { exact.set(text(), value); }
    void forgetExactValue() { exact.forget(); }
    QString exactDescription() const { return exact.description(text()); }

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    struct Drawing {
        QString text;
        QFont font;
        QRect place;      // where the text goes, inside the frame and margins
        bool own = false; // false: the line edit draws itself
    };
    Drawing drawing() const;
    ExactNote exact;
};

#endif
