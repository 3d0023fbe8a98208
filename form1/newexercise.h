#ifndef GAUSS_NEWEXERCISE_H
#define GAUSS_NEWEXERCISE_H

// "Нова задача": its dialog, which remembers the kind and the answers' range,
// and a new exercise of that choice typed into the grid, never the last again.

#include "exercise.h"
#include "working.h"

#include <QObject>
#include <functional>
#include <utility>

class QFormLayout;
class QSpinBox;
class QWidget;

class NewExercise : public QObject
{
    Q_OBJECT

public:
    // type arranges the grid for the system's size and types the system in.
    using Type = std::function<void(const Working::Block &system)>;
    NewExercise(QWidget *window, Type type);

    // The dialog, starting from the arranged size; then the exercise.
    void run(int arrangedSize);
    // An exercise of choice, typed in; false, and told why, where none is made.
    bool make(const gauss::ExerciseChoice &choice);

    // The choice the dialog remembers between starts, of the size given.
    static gauss::ExerciseChoice saved(int size);
    static void save(const gauss::ExerciseChoice &choice);

    // A spin box of dialog, named, with its range and value.
    static QSpinBox *spinBox(QWidget *dialog, const char *name, int low, int high, int value);
    // The answers' range as both exercise dialogs ask it: two named boxes on
    // one row of form, "lowest" and "highest", returned in that order.
    static std::pair<QSpinBox *, QSpinBox *> addAnswerRange(QWidget *dialog, QFormLayout *form,
                                                            int lowest, int highest);

private:
    QWidget *window;
    Type type;
    gauss::ExerciseMaker maker;
    gauss::ExerciseChoice lastChoice;
    std::vector<int> lastAnswers;
};

#endif
