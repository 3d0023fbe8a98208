#ifndef GAUSS_GRIDCELL_H
#define GAUSS_GRIDCELL_H

#include <QFont>
#include <QLineEdit>

// A cell of the grid. Its text is the number as written, and a second solve,
// copying and typing all see that text. Only its look at rest differs from a
// line edit's: a text too wide for the cell is drawn in a smaller font, then
// shortened from the end with "…", so the cell shows how the number begins
// instead of scrolling to its last digits. The whole text is then its tooltip.
class GridCell : public QLineEdit
{
    Q_OBJECT

public:
    explicit GridCell(QWidget *parent = nullptr);

    // What the cell draws now, and in which font.
    QString drawnText() const { return drawing().text; }
    QFont drawnFont() const { return drawing().font; }
    bool isShortened() const { return drawnText() != text(); }

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
};

#endif
