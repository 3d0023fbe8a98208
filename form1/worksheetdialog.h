#ifndef GAUSS_WORKSHEETDIALOG_H
#define GAUSS_WORKSHEETDIALOG_H

// "Работен лист…": the dialog that chooses the problems, their sizes, kinds
// and answers, the variants, the worked solutions, the seed and the paper,
// and the file it is saved to.

#include "exercise.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QSpinBox;

class WorksheetDialog : public QDialog
{
    Q_OBJECT

public:
    // The dialog over window, then the file dialog, then the worksheet
    // written; a bad choice or a file that cannot be written is told.
    static void run(QWidget *window);

    gauss::WorksheetChoice choice() const;
    bool solutions() const;
    void accept() override;

private:
    explicit WorksheetDialog(QWidget *window);
    void save();
    void remember() const;

    QSpinBox *problems = nullptr;
    QList<QCheckBox *> sizes;
    QList<QCheckBox *> kinds;
    QSpinBox *lowest = nullptr;
    QSpinBox *highest = nullptr;
    QCheckBox *twoVariants = nullptr;
    QCheckBox *worked = nullptr;
    QSpinBox *seed = nullptr;
    QComboBox *paper = nullptr;
};

#endif
