#include "newexercise.h"

#include "exercisewords.h"
#include "gridmessagebox.h"
#include "numbertext.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QRandomGenerator>
#include <QSettings>
#include <QSpinBox>

namespace
{

const QString settingsName = QStringLiteral("gauss");
const QString kindKey = QStringLiteral("exercise/kind");
const QString lowestKey = QStringLiteral("exercise/lowest");
const QString highestKey = QStringLiteral("exercise/highest");

// The choice is checked before the dialog closes, so that a bad one is
// told and mended in place.
class ExerciseDialog : public QDialog
{
public:
    ExerciseDialog(QWidget *window, const gauss::ExerciseChoice &choice) : QDialog(window)
    {
        setObjectName(QStringLiteral("ExerciseDialog"));
        setWindowTitle(QStringLiteral("Нова задача"));
        auto *form = new QFormLayout(this);
        kind = new QComboBox(this);
        kind->setObjectName(QStringLiteral("kind"));
        for (const gauss::ExerciseKind k :
             {gauss::ExerciseKind::One, gauss::ExerciseKind::None, gauss::ExerciseKind::Many})
            kind->addItem(ExerciseWords::kindName(k), int(k));
        kind->setCurrentIndex(kind->findData(int(choice.kind)));
        form->addRow(QStringLiteral("&Вид:"), kind);
        std::tie(lowest, highest) =
            NewExercise::addAnswerRange(this, form, choice.lowest, choice.highest);
        size = NewExercise::spinBox(this, "size", gauss::MinEquations, gauss::MaxEquations,
                                    choice.size);
        form->addRow(QStringLiteral("&Уравнения:"), size);
        auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
        form->addRow(buttons);
        connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
        connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
        kind->setFocus();
    }

    gauss::ExerciseChoice choice() const
    {
        return {gauss::ExerciseKind(kind->currentData().toInt()), size->value(), lowest->value(),
                highest->value()};
    }

    void accept() override
    {
        const QString why = ExerciseWords::problemWords(gauss::check(choice()), choice());
        if (why.isEmpty())
            QDialog::accept();
        else
            GridMessageBox::error(this, why);
    }

private:
    QComboBox *kind = nullptr;
    QSpinBox *lowest = nullptr;
    QSpinBox *highest = nullptr;
    QSpinBox *size = nullptr;
};

} // namespace

NewExercise::NewExercise(QWidget *window, Type type)
    : QObject(window), window(window), type(std::move(type)),
      maker(QRandomGenerator::global()->generate())
{
}

void NewExercise::run(int arrangedSize)
{
    ExerciseDialog dialog(window,
                          saved(qBound(gauss::MinEquations, arrangedSize, gauss::MaxEquations)));
    if (dialog.exec() != QDialog::Accepted)
        return;
    save(dialog.choice());
    make(dialog.choice());
}

bool NewExercise::make(const gauss::ExerciseChoice &choice)
{
    const bool same = choice.kind == lastChoice.kind && choice.size == lastChoice.size;
    std::set<std::vector<int>> avoid;
    if (same)
        avoid.insert(lastAnswers);
    const std::optional<gauss::Exercise> made = maker.make(choice, avoid);
    if (!made) {
        const QString why = ExerciseWords::problemWords(gauss::check(choice), choice);
        GridMessageBox::error(window, why.isEmpty() ? ExerciseWords::notMade() : why);
        return false;
    }
    lastChoice = choice;
    lastAnswers = made->answers;
    Working::Block system;
    for (int r = 1; r <= choice.size; ++r) {
        QStringList row;
        for (int c = 1; c <= choice.size + 1; ++c)
            row << gauss::fractionText(made->system[r][c]);
        system << row;
    }
    type(system);
    return true;
}

QSpinBox *NewExercise::spinBox(QWidget *dialog, const char *name, int low, int high, int value)
{
    auto *box = new QSpinBox(dialog);
    box->setObjectName(QLatin1String(name));
    box->setRange(low, high);
    box->setValue(value);
    return box;
}

std::pair<QSpinBox *, QSpinBox *> NewExercise::addAnswerRange(QWidget *dialog, QFormLayout *form,
                                                              int lowest, int highest)
{
    QSpinBox *from = spinBox(dialog, "lowest", -gauss::MaxAnswer, gauss::MaxAnswer, lowest);
    QSpinBox *to = spinBox(dialog, "highest", -gauss::MaxAnswer, gauss::MaxAnswer, highest);
    from->setAccessibleName(QStringLiteral("отговори от"));
    to->setAccessibleName(QStringLiteral("отговори до"));
    auto *range = new QHBoxLayout;
    range->addWidget(from);
    range->addWidget(to);
    auto *label = new QLabel(QStringLiteral("&Отговори от … до:"), dialog);
    label->setBuddy(from);
    form->addRow(label, range);
    return {from, to};
}

gauss::ExerciseChoice NewExercise::saved(int size)
{
    const QSettings settings(settingsName, settingsName);
    gauss::ExerciseChoice choice;
    choice.size = size;
    choice.kind = gauss::ExerciseKind(
        qBound(0, settings.value(kindKey, 0).toInt(), int(gauss::ExerciseKind::Many)));
    choice.lowest = settings.value(lowestKey, choice.lowest).toInt();
    choice.highest = settings.value(highestKey, choice.highest).toInt();
    return choice;
}

void NewExercise::save(const gauss::ExerciseChoice &choice)
{
    QSettings settings(settingsName, settingsName);
    settings.setValue(kindKey, int(choice.kind));
    settings.setValue(lowestKey, choice.lowest);
    settings.setValue(highestKey, choice.highest);
}
