#ifndef GAUSS_PARAMETERPLAYER_H
#define GAUSS_PARAMETERPLAYER_H

// A system with a parameter in the window: its cells read, the analysis made
// off the window's thread, the general working played and the cases told.

#include "parameter.h"
#include "solvepresenter.h"

#include <functional>

class QWidget;
class SolutionArea;

class ParameterPlayer
{
public:
    struct Window {
        QWidget *widget = nullptr;             // the parent of the progress and the boxes
        std::function<QString(int, int)> text; // a cell's text
        std::function<void(int, int, const QString &)> show; // a text into a cell
        std::function<NumberFormat::View()> view;
        std::function<void(int, int)> badCell; // the focus to a cell that was told
    };

    ParameterPlayer(SolvePresenter &presenter, SolutionArea &solution, Window window)
        : presenter(presenter), solution(solution), window(std::move(window))
    {
    }

    // Whether a cell of the block holds an expression in a parameter.
    bool hasParameter(int rows, int unknowns) const;

    // Reads the block, analyses it and plays the working. Returns whether the
    // grid now shows a working rather than the system.
    bool play(int rows, int unknowns);

    // Cramer's rule on the block: D and each Di factored, the quotients where
    // D is not 0, and at each of its roots the Di and the verdict. The grid
    // shows the system again afterwards.
    void cramer(int rows, int unknowns);

    // The coefficients' determinant factored, and where it is 0.
    void determinant(int rows, int unknowns);
    // Reads and analyses the block for a student to work: the analysis, or
    // nothing where a cell was told bad or the analysis did not end.
    const gauss::ParameterAnalysis *forPractice(int rows, int unknowns);
    // "Провери D = …": the student's D of the block, a polynomial, checked.
    void checkDeterminant(int rows, int unknowns);

    // The rational values of the last analysis, each a case of its own.
    QStringList caseValues() const;
    // The system typed, with the value of a case put into each cell.
    QList<QStringList> withValue(int index) const;

private:
    bool read(int rows, int unknowns, gauss::ParametricSystem &system);
    bool readSquare(int rows, int unknowns, gauss::ParametricSystem &system, const QString &rule);
    bool analyse(const gauss::ParametricSystem &system);
    void playSteps();
    Working::Block typedBlock(int rows, int unknowns) const;
    void showBlock(const Working::Block &block);
    QStringList cramerEnd(const std::vector<gauss::RationalFunction> &d,
                          NumberFormat::View view) const;
    void tell();

    SolvePresenter &presenter;
    SolutionArea &solution;
    Window window;
    gauss::ParameterAnalysis last;
};

#endif
