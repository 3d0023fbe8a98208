#include "shapedialog.h"

#include "sharedtexts.h"
#include "solverstate.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QSpinBox>

ShapeDialog::ShapeDialog(QWidget *window, int rows, int unknowns) : QDialog(window)
{
    setObjectName(QStringLiteral("ShapeDialog"));
    setWindowTitle(QStringLiteral("Уравнения и неизвестни"));
    auto *form = new QFormLayout(this);
    auto spin = [this, form](const char *name, const QString &caption, int value) {
        auto *box = new QSpinBox(this);
        box->setObjectName(QLatin1String(name));
        box->setRange(1, gauss::MaxEquations);
        box->setValue(value);
        // The label is its buddy, and a screen reader hears it as the name.
        box->setAccessibleName(QString(caption).remove(u'&').remove(u':'));
        form->addRow(caption, box);
        return box;
    };
    rowsBox = spin("equations", QStringLiteral("&Уравнения:"), rows);
    unknownsBox = spin("unknowns", QStringLiteral("&Неизвестни:"), unknowns);
    unknownsBox->setMaximum(gauss::MaxUnknowns);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    rowsBox->selectAll();
    rowsBox->setFocus();
}

bool ShapeDialog::ask(QWidget *window, int &rows, int &unknowns)
{
    ShapeDialog dialog(window, rows, unknowns);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    rows = dialog.rowsBox->value();
    unknowns = dialog.unknownsBox->value();
    return true;
}
