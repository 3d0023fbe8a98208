#ifndef GAUSS_SHAPEDIALOG_H
#define GAUSS_SHAPEDIALOG_H

// "Уравнения и неизвестни…": the small dialog that chooses how many equations
// and unknowns the grid is arranged for.

#include <QDialog>

class QSpinBox;

class ShapeDialog : public QDialog
{
    Q_OBJECT

public:
    // Asks over window, starting from rows and unknowns; true and both set
    // where the user accepts.
    static bool ask(QWidget *window, int &rows, int &unknowns);

private:
    ShapeDialog(QWidget *window, int rows, int unknowns);
    QSpinBox *rowsBox = nullptr;
    QSpinBox *unknownsBox = nullptr;
};

#endif
