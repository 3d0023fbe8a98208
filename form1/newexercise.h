#ifndef GAUSS_NEWEXERCISE_H
#define GAUSS_NEWEXERCISE_H

// "Нова задача": its dialog, which remembers the kind and the answers' range,
// and a new exercise of that choice typed into the grid, never the last again.

#include "exercise.h"
#include "working.h"

#include <QObject>
#include <functional>

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

private:
    QWidget *window;
    Type type;
    gauss::ExerciseMaker maker;
    gauss::ExerciseChoice lastChoice;
    std::vector<int> lastAnswers;
};

#endif
