#include "cramerplayer.h"

#include "determinantcheck.h"
#include "gridcell.h"
#include "rownotation.h"
#include "sharedtexts.h"

#include <QInputDialog>
#include <cmath>
#include <limits>

namespace
{

const QString cramerTitle = texts::cramerTitle();
const QString determinantTitle = texts::determinantTitle();
const QColor replacedColumn(190, 225, 255); // the right-hand sides, or an expansion's line
const QColor leftOut(200, 200, 200);        // a minor's row and column
const QChar minusSign(0x2212);

} // namespace

QString CramerPlayer::valueText(const NumberFormat &format, const mpq_class &value)
{
    QString text =
        format.text(NumberFormat::ofWorking(std::numeric_limits<float>::quiet_NaN(), value));
    if (text.startsWith(u'-'))
        text[0] = minusSign;
    return text;
}

QString CramerPlayer::factorText(const NumberFormat &format, const mpq_class &value)
{
    const QString text = CramerPlayer::valueText(format, value);
    return value < 0 ? u'(' + text + u')' : text;
}

namespace
{

// A quotient's operand: a fraction in brackets, so that "(1/2)/3" reads as one.
QString operandText(const NumberFormat &format, const mpq_class &value)
{
    const QString text = CramerPlayer::valueText(format, value);
    return text.contains(u'/') ? u'(' + text + u')' : text;
}

// Terms added up as a board writes them: "−4 − 4 + 3".
QString sumText(const NumberFormat &format, const std::vector<mpq_class> &terms)
{
    QString text;
    for (const mpq_class &term : terms) {
        if (text.isEmpty())
            text = CramerPlayer::valueText(format, term);
        else
            text += (term < 0 ? QStringLiteral(" − ") : QStringLiteral(" + ")) +
                    CramerPlayer::valueText(format, abs(term));
    }
    return text.isEmpty() ? QStringLiteral("0") : text;
}

// The sign before a term: none before a first one added, "− " before a first
// one taken away, " + " or " − " between.
QString signText(bool first, bool added)
{
    if (first)
        return added ? QString() : QStringLiteral("− ");
    return added ? QStringLiteral(" + ") : QStringLiteral(" − ");
}

QString place(const gauss::Place &at)
{
    return QStringLiteral("%1%2").arg(at.row).arg(at.column);
}

QString lineName(bool row, int line)
{
    return (row ? QStringLiteral("ред %1") : QStringLiteral("стълб %1")).arg(line);
}

const QString rules[] = {
    QStringLiteral("Размяната на два реда сменя знака на детерминантата."),
    QStringLiteral("Множител, изнесен от ред, я умножава."),
    QStringLiteral("Прибавянето на кратно на ред към друг ред не я променя."),
};

// What a step of the elimination did, and what the determinant is now.
QStringList stepLines(const gauss::DeterminantStep &step, const QString &name,
                      const NumberFormat &format)
{
    QStringList lines;
    switch (step.kind) {
    case gauss::DeterminantStep::Exchange:
        lines << RowNotation::lines(step.ops, format) << rules[0];
        break;
    case gauss::DeterminantStep::TakeOut:
        lines << QStringLiteral("От ред %1 се изнася множителят %2.")
                     .arg(step.row)
                     .arg(CramerPlayer::valueText(format, step.factor))
              << rules[1];
        break;
    case gauss::DeterminantStep::Clear:
        lines << RowNotation::lines(step.ops, format) << rules[2];
        break;
    case gauss::DeterminantStep::ZeroColumn:
        return {QStringLiteral("В колона %1 от ред %1 надолу има само нули: детерминантата е 0.")
                    .arg(step.row),
                QStringLiteral("%1 = 0").arg(name)};
    }
    lines << QStringLiteral("Сега %1 = %2 · (детерминантата в таблицата).")
                 .arg(name, CramerPlayer::factorText(format, step.coefficient));
    return lines;
}

// "D = 2 · M11 − 1 · M12 + (−1) · M13" and what the Mij are.
QStringList expansionFormula(const gauss::DeterminantWorking &w, const QString &name,
                             const NumberFormat &format)
{
    QString formula;
    for (const gauss::ExpansionTerm &term : w.terms) {
        formula += signText(formula.isEmpty(), term.added);
        formula += CramerPlayer::factorText(format, term.element) + QStringLiteral(" · M") +
                   place(term.place);
    }
    return {QStringLiteral("%1 = %2").arg(name, formula),
            QStringLiteral("Mij е детерминантата без ред i и стълб j; знакът пред члена е (−1) "
                           "на степен i + j.")};
}

// The terms with their minors' values, added up; a zero element's term left out.
QStringList expansionSum(const gauss::DeterminantWorking &w, const QString &name,
                         const NumberFormat &format)
{
    QString formula;
    std::vector<mpq_class> terms;
    for (const gauss::ExpansionTerm &term : w.terms) {
        if (!term.minor)
            continue;
        formula += signText(formula.isEmpty(), term.added);
        formula += CramerPlayer::factorText(format, term.element) + QStringLiteral(" · ") +
                   CramerPlayer::factorText(format, term.minor->value);
        const mpq_class value = term.element * term.minor->value;
        terms.push_back(term.added ? value : mpq_class(-value));
    }
    return {QStringLiteral("%1 = %2").arg(name, formula.isEmpty() ? QStringLiteral("0") : formula),
            QStringLiteral("= %1").arg(sumText(format, terms)),
            QStringLiteral("= %1").arg(CramerPlayer::valueText(format, w.value))};
}

} // namespace

CramerPlayer::CramerPlayer(QWidget *window, const Grid &grid, const gauss::SolverState &solver,
                           Working &working)
    : QObject(window), window(window), grid(grid), solver(solver), working(working)
{
}

void CramerPlayer::setView(NumberFormat::View view)
{
    format = NumberFormat(view);
    if (open)
        GridMessageBox::retell(window, message(*open));
}

bool CramerPlayer::square(int rows, int unknowns, const QString &title, const QString &what)
{
    if (rows == unknowns)
        return true;
    GridMessageBox::tell(window,
                         {title,
                          QStringLiteral("%1 е само за толкова уравнения, колкото са "
                                         "неизвестните, а системата е от %2.")
                              .arg(what, texts::shapeWords(rows, unknowns)),
                          QMessageBox::Warning,
                          {},
                          {}},
                         grid.block());
    return false;
}

// The system read, and square, or told why not; the view taken for its working.
bool CramerPlayer::readSquare(const QString &title, const QString &what)
{
    if (!grid.read() || !square(solver.n, solver.unknowns, title, what))
        return false;
    format = grid.format();
    return true;
}

void CramerPlayer::cramer()
{
    if (!readSquare(cramerTitle, QStringLiteral("Правилото на Крамер")))
        return;
    const int rows = solver.n;
    const gauss::CramerWorking w = gauss::cramer(solver.exact.a, rows);
    keepSystem(rows);
    play(w.d, QStringLiteral("D"), cramerTitle, {});
    for (int i = 1; i <= rows; ++i) {
        const QString spoken = QStringLiteral("колона %1 е заменена с десните страни").arg(i);
        play(w.di[std::size_t(i) - 1], QStringLiteral("D%1").arg(i), cramerTitle,
             {0, i, replacedColumn, spoken});
    }
    restoreSystem();
    cramerEnd(w);
}

// The quotients; where D = 0, what D and the D_i tell, and the elimination offered.
void CramerPlayer::cramerEnd(const gauss::CramerWorking &w)
{
    const Words words = [&w](const NumberFormat &f) {
        QStringList lines;
        if (w.decided()) {
            lines << QStringLiteral("D = %1 ≠ 0: системата има единствено решение.")
                         .arg(CramerPlayer::valueText(f, w.d.value));
            for (int i = 1; i <= w.n; ++i)
                lines << QStringLiteral("x%1 = D%1/D = %2/%3 = %4")
                             .arg(i)
                             .arg(operandText(f, w.di[std::size_t(i) - 1].value),
                                  operandText(f, w.d.value),
                                  CramerPlayer::valueText(f, w.x[std::size_t(i)]));
            return lines;
        }
        lines << QStringLiteral("D = 0: правилото на Крамер не решава системата.");
        QStringList zero;
        for (int i = 1; i <= w.n; ++i) {
            const mpq_class &di = w.di[std::size_t(i) - 1].value;
            if (di != 0 && lines.size() == 1)
                lines << QStringLiteral("D%1 = %2 ≠ 0: системата няма решение.")
                             .arg(i)
                             .arg(CramerPlayer::valueText(f, di));
            zero << QStringLiteral("D%1").arg(i);
        }
        if (lines.size() == 1)
            lines << QStringLiteral("D = %1 = 0: системата или няма решение, или има безброй "
                                    "решения.")
                         .arg(zero.join(QStringLiteral(" = ")));
        return lines;
    };
    InBothViews<QStringList> said;
    for (const NumberFormat::View view : {NumberFormat::Decimals, NumberFormat::Fractions}) {
        said[view] = words(NumberFormat(view));
        working.addReport(view, said[view]);
    }
    if (w.decided())
        grid.showSolution(w.x);
    else
        grid.showSolution({});
    const QStringList &lines = said[format.view()];
    GridMessageBox::tell(window,
                         {QStringLiteral("РЕШЕНИЕ:"), lines.value(0), QMessageBox::NoIcon,
                          lines.mid(1), lines.mid(1).join(u'\n')},
                         grid.block());
    if (!w.decided() &&
        GridMessageBox::ask(window, cramerTitle,
                            QStringLiteral("Да реша ли системата докрай по метода на Гаус "
                                           "(„Реши докрай“)?")))
        grid.toTheEnd();
}

void CramerPlayer::determinant()
{
    if (!readSquare(determinantTitle, QStringLiteral("Детерминантата")))
        return;
    const int rows = solver.n;
    const gauss::Square m = gauss::coefficients(solver.exact.a, rows);
    int choice = 0;
    if (rows >= 3 && !chooseRule(rows, choice))
        return;
    gauss::DeterminantWorking w;
    if (choice == 0)
        w = gauss::determinantOf(m);
    else if (choice == 1 && rows == 3)
        w = gauss::byElimination(m);
    else {
        const int line = choice - (rows == 3 ? 2 : 1); // 0 .. 2n - 1
        w = gauss::byExpansion(m, line < rows, line % rows + 1);
    }
    keepSystem(rows);
    play(w, QStringLiteral("D"), determinantTitle, {});
    restoreSystem();
    for (const NumberFormat::View view : {NumberFormat::Decimals, NumberFormat::Fractions})
        working.addReport(view, {QStringLiteral("D = %1").arg(
                                    CramerPlayer::valueText(NumberFormat(view), w.value))});
}

void CramerPlayer::checkDeterminant()
{
    if (readSquare(determinantTitle, QStringLiteral("Детерминантата")))
        DeterminantCheckDialog::ask(window, gauss::coefficients(solver.exact.a, solver.n), format,
                                    grid.block());
}

// The class's rule first, then elimination for a 3 x 3, then each row and
// each column to expand along.
bool CramerPlayer::chooseRule(int n, int &choice)
{
    QStringList items;
    if (n == 3)
        items << QStringLiteral("по правилото на Сарус");
    items << QStringLiteral("чрез преобразувания до триъгълна матрица");
    for (const bool row : {true, false})
        for (int line = 1; line <= n; ++line)
            items << QStringLiteral("развитие по %1").arg(lineName(row, line));
    bool chosen = false;
    const QString item =
        QInputDialog::getItem(window, determinantTitle, QStringLiteral("Как да се пресметне D?"),
                              items, 0, false, &chosen);
    choice = int(items.indexOf(item));
    return chosen && choice >= 0;
}

void CramerPlayer::play(const gauss::DeterminantWorking &w, const QString &name,
                        const QString &title, const Marks &marks)
{
    using Rule = gauss::DeterminantWorking;
    const QString replaced =
        marks.column ? QStringLiteral("Колона %1 е заменена с десните страни.").arg(marks.column)
                     : QString();
    auto withReplaced = [replaced](QStringList lines) {
        if (!replaced.isEmpty())
            lines.prepend(replaced);
        return lines;
    };
    switch (w.rule) {
    case Rule::Single:
        show(
            title, QStringLiteral("%1: детерминанта от първи ред").arg(name),
            [&](const NumberFormat &f) {
                return withReplaced(
                    {QStringLiteral("%1 = %2").arg(name, CramerPlayer::valueText(f, w.value))});
            },
            w.matrix, marks);
        break;
    case Rule::Diagonals:
    case Rule::Sarrus:
        show(
            title,
            w.rule == Rule::Sarrus
                ? QStringLiteral("%1 по правилото на Сарус:").arg(name)
                : QStringLiteral("%1: главният диагонал минус другият диагонал:").arg(name),
            [&](const NumberFormat &f) { return withReplaced(diagonalLines(w, name, f)); },
            w.matrix, marks);
        break;
    case Rule::Elimination:
        playElimination(w, name, title, marks);
        break;
    case Rule::Expansion:
        playExpansion(w, name, title);
        break;
    }
}

QStringList CramerPlayer::diagonalLines(const gauss::DeterminantWorking &w, const QString &name,
                                        const NumberFormat &format)
{
    QString products;
    std::vector<mpq_class> values;
    for (const gauss::DiagonalProduct &p : w.products) {
        QStringList factors;
        for (const gauss::Place &at : p.factors)
            factors << CramerPlayer::factorText(format, w.matrix.a[at.row][at.column]);
        products += signText(products.isEmpty(), p.added);
        products += factors.join(QStringLiteral(" · "));
        values.push_back(p.added ? p.value : mpq_class(-p.value));
    }
    return {QStringLiteral("%1 = %2").arg(name, products),
            QStringLiteral("= %1").arg(sumText(format, values)),
            QStringLiteral("= %1").arg(CramerPlayer::valueText(format, w.value))};
}

void CramerPlayer::playElimination(const gauss::DeterminantWorking &w, const QString &name,
                                   const QString &title, const Marks &marks)
{
    show(
        title, QStringLiteral("%1 чрез преобразувания до триъгълна матрица:").arg(name),
        [&](const NumberFormat &) {
            QStringList lines{rules[0], rules[1], rules[2]};
            if (marks.column)
                lines.prepend(
                    QStringLiteral("Колона %1 е заменена с десните страни.").arg(marks.column));
            return lines;
        },
        w.matrix, marks);
    int number = 0;
    for (const gauss::DeterminantStep &step : w.steps)
        show(
            title, QStringLiteral("%1, стъпка %2:").arg(name).arg(++number),
            [&](const NumberFormat &f) { return stepLines(step, name, f); }, step.after, marks);
    if (!w.steps.empty() && w.steps.back().kind == gauss::DeterminantStep::ZeroColumn)
        return;
    const gauss::Square &last = w.steps.empty() ? w.matrix : w.steps.back().after;
    const mpq_class coefficient = w.steps.empty() ? mpq_class(1) : w.steps.back().coefficient;
    show(
        title, QStringLiteral("%1: матрицата в таблицата е триъгълна.").arg(name),
        [&](const NumberFormat &f) {
            QStringList factors{CramerPlayer::factorText(f, coefficient)};
            for (int k = 1; k <= last.size; ++k)
                factors << CramerPlayer::factorText(f, last.a[k][k]);
            return QStringList{
                QStringLiteral("Детерминантата ѝ е произведението на диагоналните елементи."),
                QStringLiteral("%1 = %2").arg(name, factors.join(QStringLiteral(" · "))),
                QStringLiteral("= %1").arg(CramerPlayer::valueText(f, w.value))};
        },
        last, marks);
}

void CramerPlayer::playExpansion(const gauss::DeterminantWorking &w, const QString &name,
                                 const QString &title)
{
    const QString along = lineName(w.alongRow, w.line);
    const Marks line{w.alongRow ? w.line : 0, w.alongRow ? 0 : w.line, replacedColumn,
                     QStringLiteral("%1 е отбелязан").arg(along)};
    const QString prompt = QStringLiteral("%1 — развитие по %2:").arg(name, along);
    show(
        title, prompt, [&](const NumberFormat &f) { return expansionFormula(w, name, f); },
        w.matrix, line);
    for (const gauss::ExpansionTerm &term : w.terms) {
        if (!term.minor)
            continue;
        const gauss::DeterminantWorking &minor = *term.minor;
        const QString minorName = QStringLiteral("M") + place(term.place);
        show(title,
             QStringLiteral("%1: без ред %2 и стълб %3:")
                 .arg(minorName)
                 .arg(term.place.row)
                 .arg(term.place.column),
             [&](const NumberFormat &f) {
                 if (minor.rule == gauss::DeterminantWorking::Diagonals ||
                     minor.rule == gauss::DeterminantWorking::Sarrus)
                     return diagonalLines(minor, minorName, f);
                 return QStringList{QStringLiteral("%1 = %2 (чрез преобразувания до триъгълна "
                                                   "матрица)")
                                        .arg(minorName, CramerPlayer::valueText(f, minor.value))};
             },
             w.matrix,
             {term.place.row, term.place.column, leftOut,
              QStringLiteral("без ред %1 и стълб %2").arg(term.place.row).arg(term.place.column)});
    }
    show(
        title, prompt, [&](const NumberFormat &f) { return expansionSum(w, name, f); }, w.matrix,
        line);
}

// Writes the matrix into the grid, the right-hand sides' column empty, marks
// it, and holds it with a box; both views of it go into the working.
void CramerPlayer::show(const QString &title, const QString &prompt, const Words &words,
                        const gauss::Square &matrix, const Marks &marks)
{
    const int n = matrix.size;
    for (int r = 1; r <= n; ++r) {
        for (int c = 1; c <= n + 1; ++c) {
            GridCell *cell = grid.cellAt(r, c);
            cell->setPalette(kept.value(r - 1).value(c - 1).palette);
            if (c > n) {
                cell->forgetExactValue();
                cell->setText(QString());
                continue;
            }
            cell->setNumber(format, NumberFormat::ofWorking(std::numeric_limits<float>::quiet_NaN(),
                                                            matrix.a[r][c]));
            if (r == marks.row || c == marks.column) {
                QPalette palette = cell->palette();
                palette.setColor(QPalette::Base, marks.colour);
                cell->setPalette(palette);
            }
        }
    }
    Open shown{{title, prompt, {}}, matrix, marks};
    InBothViews<Working::Block> blocks;
    for (const NumberFormat::View view : {NumberFormat::Decimals, NumberFormat::Fractions}) {
        const NumberFormat in(view);
        shown.box.lines[view] = words(in);
        for (int r = 1; r <= n; ++r) {
            QStringList row;
            for (int c = 1; c <= n; ++c)
                row << in.text(NumberFormat::ofWorking(std::numeric_limits<float>::quiet_NaN(),
                                                       matrix.a[r][c]));
            blocks[view] << row;
        }
    }
    working.addStep(prompt, shown.box.lines, blocks);
    open = shown;
    GridMessageBox::tell(window, message(shown), grid.block());
    open.reset();
}

// A screen reader cannot reach the grid past the modal box: the box tells it
// the lines, then the matrix row by row and what is marked.
GridMessageBox::Message CramerPlayer::message(const Open &shown) const
{
    const QStringList &lines = shown.box.lines[format.view()];
    QStringList spoken = lines;
    for (int r = 1; r <= shown.matrix.size; ++r) {
        QStringList row;
        for (int c = 1; c <= shown.matrix.size; ++c)
            row << format.text(NumberFormat::ofWorking(std::numeric_limits<float>::quiet_NaN(),
                                                       shown.matrix.a[r][c]));
        spoken << QStringLiteral("ред %1: %2").arg(r).arg(row.join(u"; "));
    }
    if (!shown.marks.spoken.isEmpty())
        spoken << shown.marks.spoken;
    return {shown.box.title, shown.box.prompt, QMessageBox::NoIcon, lines, spoken.join(u'\n')};
}

void CramerPlayer::keepSystem(int n)
{
    kept.clear();
    for (int r = 1; r <= n; ++r) {
        kept << QList<Kept>();
        for (int c = 1; c <= n + 1; ++c) {
            const GridCell *cell = grid.cellAt(r, c);
            const mpq_class *exact = cell->exactValue();
            kept.last() << Kept{cell->text(),
                                exact ? std::optional<mpq_class>(*exact) : std::nullopt,
                                cell->palette()};
        }
    }
}

// The system back in the grid as it was, a value the solve wrote with its exact value.
void CramerPlayer::restoreSystem()
{
    for (int r = 1; r <= kept.size(); ++r)
        for (int c = 1; c <= kept[r - 1].size(); ++c) {
            GridCell *cell = grid.cellAt(r, c);
            const Kept &was = kept[r - 1][c - 1];
            cell->setPalette(was.palette);
            cell->forgetExactValue();
            if (was.exact)
                cell->setNumber(format, NumberFormat::ofWorking(
                                            std::numeric_limits<float>::quiet_NaN(), *was.exact));
            else
                cell->setText(was.text);
        }
    kept.clear();
}
