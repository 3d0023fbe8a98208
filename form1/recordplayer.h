#ifndef GAUSS_RECORDPLAYER_H
#define GAUSS_RECORDPLAYER_H

// A solve's record played in the window: each step's matrix into the grid,
// held by its box, then the end, the values or the general solution.

#include "record.h"
#include "solvepresenter.h"

#include <functional>

class SolutionArea;

class RecordPlayer
{
public:
    // What the player asks of the window.
    struct Window {
        // A matrix of the working into the grid, with its exact twin.
        std::function<void(const gauss::Matrix &, const gauss::ExactMatrix &)> show;
        // The end of a seven-digit solve, the table and the answer compared.
        std::function<void()> solved;
        // x[1..n] beside the unknowns; n = 0 empties the area.
        std::function<SolvePresenter::Answer(const mpq_class *, int)> writeSolution;
    };

    RecordPlayer(SolvePresenter &presenter, SolutionArea &solution, Window window)
        : presenter(presenter), solution(solution), window(std::move(window))
    {
    }

    // state is what the solve left (the seven-digit matrix and answer).
    // Returns whether the grid now shows a working rather than the system.
    bool play(const gauss::SolveRecord &record, const gauss::SolverState &state);

private:
    void showVerdict(const gauss::Verdict &verdict, int unknowns);
    static SolvePresenter::Numbers numbers(const gauss::SolveRecord &record, const gauss::Matrix &m,
                                           const gauss::ExactMatrix &exact);

    SolvePresenter &presenter;
    SolutionArea &solution;
    Window window;
};

#endif
