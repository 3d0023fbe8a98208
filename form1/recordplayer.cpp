#include "recordplayer.h"

#include "exactwords.h"
#include "solutionarea.h"

bool RecordPlayer::play(const gauss::SolveRecord &record, const gauss::SolverState &state)
{
    for (const gauss::RecordStep &made : record.steps) {
        window.show(made.single, made.exact);
        presenter.step(made.step, numbers(record, made.single, made.exact));
    }
    if (!record.sevenDigits) {
        const bool none = record.steps.empty();
        window.show(none ? state.a : record.steps.back().single,
                    none ? record.system : record.steps.back().exact);
        showVerdict(record.verdict, record.unknowns);
        return !none;
    }
    switch (record.end.result) {
    case gauss::SolveResult::Solved:
        window.show(state.a, state.exact.a);
        window.solved();
        break;
    case gauss::SolveResult::Overflow:
    case gauss::SolveResult::Underflow:
    case gauss::SolveResult::TooFewDigits:
        presenter.stopped(record.end, window.writeSolution(state.exact.x, record.unknowns));
        break;
    default:
        break;
    }
    return !record.steps.empty();
}

// The end of an exact working: the values beside the unknowns, or the
// general solution's expressions, and the box with the ranks and the verdict.
void RecordPlayer::showVerdict(const gauss::Verdict &verdict, int unknowns)
{
    SolvePresenter::Answer answer;
    if (verdict.kind == gauss::Verdict::One) {
        answer = window.writeSolution(verdict.x.data(), unknowns);
    } else {
        window.writeSolution(nullptr, 0);
        if (verdict.kind == gauss::Verdict::Many)
            solution.writeExpressions(valueWords(verdict.ranks, unknowns));
    }
    presenter.verdict(verdictWords(verdict, unknowns), answer);
}

SolvePresenter::Numbers RecordPlayer::numbers(const gauss::SolveRecord &record,
                                              const gauss::Matrix &m,
                                              const gauss::ExactMatrix &exact)
{
    SolvePresenter::Numbers rows;
    for (int r = 1; r <= record.rows; ++r) {
        rows.append(QList<NumberFormat::Number>());
        for (int c = 1; c <= record.unknowns + 1; ++c)
            rows.last() << NumberFormat::ofWorking(m[r][c], exact[r][c]);
    }
    return rows;
}
