#include "form1.h"

#include "announcer.h"
#include "boardlink.h"
#include "controls.h"
#include "cramerplayer.h"
#include "exacttwin.h"
#include "exactwords.h"
#include "gridcell.h"
#include "gridmenu.h"
#include "gridmessagebox.h"
#include "handout.h"
#include "latexwriter.h"
#include "newexercise.h"
#include "numbertext.h"
#include "pasteplan.h"
#include "practicepanel.h"
#include "recordplayer.h"
#include "shapedialog.h"
#include "sharedtexts.h"
#include "solutionarea.h"
#include "valuelabel.h"
#include "windowstyle.h"
#include "worksheetdialog.h"
#include "zoom.h"

#include <QGroupBox>
#include <QInputDialog>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>
#include <cmath>

using namespace controls;

Form1::Form1(QWidget *parent)
    : QWidget(parent), presenter(
                           this, [this] { return activeBlock(); }, working)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(texts::windowTitle());
    setFont(sansSerif(9.75));
    setFixedSize(px(12285), px(8805));
    GridCell::Grid grid;
    grid.cellAt = [this](int r, int c) {
        return r >= 1 && r <= GridRows && c >= 1 && c <= GridColumns ? cell[r][c] : nullptr;
    };
    grid.afterLast = [this] { return Command3; };
    grid.paste = [this](int r, int c) { return pasteIntoGrid(r, c); };
    grid.gridMenu = [this](QMenu *menu) { gridMenu->addTo(menu); };
    setupUi(this, grid);
    for (int r = 1; r <= GridRows; ++r)
        for (int c = 1; c <= GridColumns; ++c)
            connect(cell[r][c], &QLineEdit::textEdited, this, [this] { gridShowsWorking = false; });

    // The frames' colours and the resting cells must be drawn exactly, and the
    // options' circles grow with the zoom, which the desktop's style alone does not do.
    auto *look = new WindowStyle(gridGreen(), this);
    for (QWidget *frame : {Frame1, Frame2, Frame3})
        frame->setStyle(look);
    for (int r = 1; r <= GridRows; ++r)
        for (int c = 1; c <= GridColumns; ++c)
            cell[r][c]->setStyle(look);
    for (int k = 1; k <= Options; ++k)
        option[k]->setStyle(look);

    connect(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form1::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Form1::Command3_Click);

    Form_Load();

    zoom = new WindowZoom(this, [this](qreal factor) {
        for (QLabel *image : {Image1, Image2})
            drawPicture(image, factor);
    });
    // Where the screen is too small beside the window, the board may cover the
    // explanations, which it stands for, but not the grid or the buttons.
    board = new BoardLink(this, zoom, [this] {
        return QRect(
            QPoint(Command1->mapTo(this, QPoint(Command1->width() + 8, 0)).x(), Frame3->y()),
            rect().bottomRight());
    });
    GridMenu::Actions actions;
    actions.copy = [this] { copyWorking(); };
    actions.paste = [this] {
        cell[1][1]->setFocus(Qt::OtherFocusReason);
        cell[1][1]->selectAll();
        pasteIntoGrid(1, 1);
    };
    actions.save = [this] { Handout::saveWithDialog(this, working, shownBlock()); };
    actions.print = [this] { Handout::printWithDialog(this, working, shownBlock()); };
    actions.switchView = [this] {
        setView(format.view() == NumberFormat::Fractions ? NumberFormat::Decimals
                                                         : NumberFormat::Fractions);
        NumberFormat::save(format.view());
        Announcer::announce(this, format.name());
    };
    actions.fractions = [this] { return format.view() == NumberFormat::Fractions; };
    actions.practise = [this] { practise(); };
    actions.toTheEnd = [this] { solveToTheEnd(); };
    actions.shape = [this] { chooseShape(); };
    actions.restore = [this] { restoreSystem(); };
    CramerPlayer::Grid cramerGrid{windowGrid(), [this] { solveToTheEnd(); },
                                  [this] { return readTypedSystem(); }};
    cramer = new CramerPlayer(this, cramerGrid, solver, working);
    ParameterPlayer::Window parameterWindow{this,
                                            [this](int r, int c) { return cell[r][c]->text(); },
                                            [this](int r, int c, const QString &text) {
                                                cell[r][c]->forgetExactValue();
                                                cell[r][c]->setText(text);
                                            },
                                            [this] { return format.view(); },
                                            [this](int r, int c) {
                                                activateWindow();
                                                cell[r][c]->setFocus(Qt::OtherFocusReason);
                                                cell[r][c]->selectAll();
                                            }};
    parameter = std::make_unique<ParameterPlayer>(presenter, *solution, parameterWindow);
    actions.parameterCase = [this] { showParameterCase(); };
    actions.cramer = [this] {
        if (!parametric())
            return cramer->cramer();
        onBoard([this] { parameter->cramer(solver.n, solver.unknowns); });
    };
    actions.determinant = [this] {
        parametric() ? parameter->determinant(solver.n, solver.unknowns) : cramer->determinant();
    };
    actions.checkDeterminant = [this] {
        parametric() ? parameter->checkDeterminant(solver.n, solver.unknowns)
                     : cramer->checkDeterminant();
    };
    actions.board = [this] { board->open(); };
    actions.read = [this] { board->readAloud(); };
    exercise = new NewExercise(this, [this](const Working::Block &system) {
        reshape(int(system.size()), int(system.size()));
        for (int r = 1; r <= system.size(); ++r)
            for (int c = 1; c <= system.size() + 1; ++c)
                cell[r][c]->setText(system[r - 1][c - 1]);
    });
    actions.newExercise = [this] { exercise->run(solver.n == solver.unknowns ? solver.n : 3); };
    actions.worksheet = [this] { WorksheetDialog::run(this); };
    actions.copyLatex = [this] {
        LatexWriter::copy(working.orShown(shownBlock()).record());
        Announcer::announce(this, QStringLiteral("Решението е копирано като LaTeX."));
    };
    gridMenu = new GridMenu(this, Frame1, zoom, actions);
    setView(NumberFormat::saved());
}

// --- Start-up, size selection, clearing -------------------------------------

void Form1::Form_Load()
{
    iz4istitext();
    iz4isticwet();
    solver.n = solver.unknowns = 2;
    dveuravnenia();
}

void Form1::Command1_Click()
{
    endPractice();
    for (int k = 1; k <= Options; ++k) {
        if (!option[k]->isChecked())
            continue;
        iz4istitext();
        iz4isticwet();
        switch (k + 1) {
        case 2:
            dveuravnenia();
            break;
        case 3:
            triuravnenia();
            break;
        case 4:
            chetiriuravnenia();
            break;
        case 5:
            peturavnenia();
            break;
        case 6:
            chesturavnenia();
            break;
        case 7:
            sedemuravnenia();
            break;
        case 8:
            osemuravnenia();
            break;
        case 9:
            deveturavnenia();
            break;
        }
        solver.n = solver.unknowns = static_cast<qint16>(k + 1);
    }
    cell[1][1]->setFocus(Qt::OtherFocusReason);
}

void Form1::Command2_Click()
{
    endPractice();
    iz4istitext();
    iz4isticwet();
}

void Form1::iz4istitext()
{
    for (int r = 1; r <= GridRows; ++r) {
        for (int c = 1; c <= GridColumns; ++c) {
            cell[r][c]->setText(QString());
            cell[r][c]->forgetExactValue();
        }
        solution->value(r)->forgetExactValue();
    }
    // Label1 .. Label99 in the order of their numbers: names, values and grid labels.
    for (int number = 1; number <= 99; ++number) {
        const int r = number / 10;
        const int c = number % 10;
        if (r == 0)
            solution->name(c)->setText(QString());
        else if (c == 0)
            solution->value(r)->setText(QString());
        else
            gridLabel[r][c]->setText(QString());
    }
    working.clear(); // what it recorded is no longer on screen
    if (board)       // none yet at the load
        board->clear();
    gridShowsWorking = false;
}

void Form1::iz4isticwet()
{
    for (int r = 1; r <= GridRows; ++r)
        for (int c = 1; c <= GridColumns; ++c)
            cell[r][c]->setPalette(QPalette()); // a cell already at rest costs nothing
    for (int r = 1; r <= GridRows; ++r)
        setLabelBackground(solution->name(r), commandsTeal());
    for (int r = 1; r <= GridRows; ++r)
        setLabelBackground(solution->value(r), commandsTeal());
    systemShown = false;
}

// The one place that says which cells are the system: the block of rows rows
// of unknowns + 1 cells, which Command1_Click and Form_Load make square. Its
// cells alone take Tab, since a number typed outside it would be ignored by
// the solve.
void Form1::arrange(int rows, int unknowns)
{
    for (int r = 1; r <= GridRows; ++r)
        for (int c = 1; c <= GridColumns; ++c)
            cell[r][c]->setInSystem(r <= rows && c <= unknowns + 1, unknowns);
    const QColor background = entryBackground(cellRed());
    for (int r = 1; r <= rows; ++r)
        for (int c = 1; c <= unknowns + 1; ++c)
            setRole(cell[r][c], QPalette::Base, background);
    for (int r = 1; r <= rows; ++r)
        for (int c = 1; c <= unknowns; ++c)
            gridLabel[r][c]->setText(c < unknowns ? QStringLiteral(".x%1+").arg(c)
                                                  : QStringLiteral(".x%1=").arg(unknowns));
    systemShown = true;
}

// --- Solving ------------------------------------------------------------------

// A square system in the decimal view is worked as the seven digits work it,
// and refused when singular; every other system, and a singular one in the
// fraction view, is worked exactly to its end.
void Form1::Command3_Click()
{
    endPractice();
    if (solveWithParameter() || !masiv(solver.n))
        return;
    if (solver.n != solver.unknowns || solver.n < gauss::MinEquations) {
        play(gauss::solveExactly(solver.exact.a, solver.n, solver.unknowns));
        return;
    }
    const bool fractions = format.view() == NumberFormat::Fractions;
    gauss::SolveRecord record =
        gauss::solveRecord(solver, fractions ? gauss::SolveMode::ExactToTheEnd
                                             : gauss::SolveMode::StopWithSevenDigits);
    if (record.end.result != gauss::SolveResult::Refused)
        play(record);
    else if (fractions)
        play(gauss::solveExactly(solver.exact.a, solver.n, solver.unknowns));
    else {
        board->setRecord(record);
        board->followEnd();
        presenter.refused(singularWords(record.verdict.ranks));
    }
}

// "Реши докрай": any system, worked exactly to its end.
void Form1::solveToTheEnd()
{
    endPractice();
    if (!solveWithParameter() && masiv(solver.n))
        play(gauss::solveExactly(solver.exact.a, solver.n, solver.unknowns));
}

// Whether the block holds a parameter. A working's expressions are no system
// to analyse: the grid then shows the system typed again.
bool Form1::parametric()
{
    if (!parameter->hasParameter(solver.n, solver.unknowns))
        return false;
    endPractice();
    if (gridShowsWorking)
        restoreSystem();
    return true;
}

// A letter in a cell makes a system with a parameter, analysed case by case.
bool Form1::solveWithParameter()
{
    if (!parametric())
        return false;
    typed = {solver.n, solver.unknowns, shownBlock()};
    onBoard([this] { gridShowsWorking = parameter->play(solver.n, solver.unknowns); });
    return true;
}

// A working with a parameter has no record: the board follows the working
// itself, each step as it is recorded, then its end.
void Form1::onBoard(const std::function<void()> &play)
{
    board->clear();
    int step = 0;
    presenter.stepRecorded = [this, &step] { board->setWorking(working, ++step); };
    play();
    presenter.stepRecorded = nullptr;
    board->setWorking(working, 0);
    board->followEnd();
}

// One value of the last analysis put into the cells and worked to its end;
// "Върни системата" brings back the system with its parameter.
void Form1::showParameterCase()
{
    // The cases are those of the system last analysed, which "Върни системата"
    // brings back, unless another system was solved since.
    restoreSystem();
    const QStringList values = parameter->hasParameter(solver.n, solver.unknowns)
                                   ? parameter->caseValues()
                                   : QStringList();
    if (values.isEmpty()) {
        GridMessageBox::error(this, QStringLiteral("Няма стойност на параметъра, която да се "
                                                   "разгледа отделно: първо решете система с "
                                                   "параметър (бутон РЕШИ)."));
        return;
    }
    bool chosen = false;
    const QString value = QInputDialog::getItem(this, QStringLiteral("Покажи хода"),
                                                QStringLiteral("При коя стойност на параметъра:"),
                                                values, 0, false, &chosen);
    if (!chosen)
        return;
    const Working::Block rows = parameter->withValue(int(values.indexOf(value)));
    const Typed parametric = typed;
    for (int r = 1; r <= rows.size(); ++r)
        for (int c = 1; c <= rows[r - 1].size(); ++c)
            cell[r][c]->setText(rows[r - 1][c - 1]);
    gridShowsWorking = false;
    solveToTheEnd();
    typed = parametric;
}

// The record's steps one by one, each held by its box; then its end.
void Form1::play(const gauss::SolveRecord &record)
{
    // The board follows each matrix as the grid shows it, then the end.
    board->setRecord(record);
    int shown = 0;
    RecordPlayer::Window window;
    window.show = [this, &shown](const gauss::Matrix &m, const gauss::ExactMatrix &exact) {
        stypka(m, exact);
        board->follow(++shown);
    };
    window.solved = [this] { rechenie(); };
    window.writeSolution = [this](const mpq_class *x, int n) { return writeSolution(x, n); };
    gridShowsWorking = RecordPlayer(presenter, *solution, window).play(record, solver);
    board->followEnd();
}

bool Form1::masiv(qint16 &n)
{
    int badRow = 0;
    int badColumn = 0;
    const auto text = [this](int r, int c) { return cell[r][c]->text(); };
    const auto exact = [this](int r, int c) { return cell[r][c]->exactValue(); };
    if (gauss::readSystem(solver, n, solver.unknowns, text, &badRow, &badColumn, exact)) {
        if (!gridShowsWorking)
            typed = {solver.n, solver.unknowns, shownBlock()};
        presenter.read(shownBlock());
        return true;
    }
    GridCell *bad = cell[badRow][badColumn];
    presenter.badCell(badRow, badColumn, gauss::whyUnreadable(bad->text()));
    activateWindow(); // not every window manager hands the focus back after a box
    bad->setFocus(Qt::OtherFocusReason);
    bad->selectAll();
    return false;
}

// Each cell also learns the other view's text of what it now shows, for
// hovering and for a switch of the view: m is a matrix of the working, exact
// its twin (m NaN where the step was made exactly alone).
void Form1::stypka(const gauss::Matrix &m, const gauss::ExactMatrix &exact)
{
    const int rows = solver.n;
    const int columns = solver.unknowns + 1;
    if (rows < 1 || rows > GridRows || columns < 2 || columns > GridColumns)
        return;
    for (int r = 1; r <= rows; ++r)
        for (int c = 1; c <= columns; ++c)
            cell[r][c]->setNumber(format, NumberFormat::ofWorking(m[r][c], exact[r][c]));
}

// The labels give the true solution; x keeps the working's own, which the
// last column of the grid shows and which seven digits a step may spoil.
// Where the seven-digit working stopped, the grid's last column holds the
// exact values, and x none.
void Form1::rechenie()
{
    const SolvePresenter::Answer answer = writeSolution(solver.exact.x, solver.n);
    const int n = solver.n;
    QStringList table;
    QStringList tableAnswers;
    for (int r = 1; r <= n; ++r) {
        const float shown = solver.a[r][n + 1]; // a(r, r) is 1 now
        if (std::isnan(shown)) { // worked exactly to the end: the column is the answer
            table << answer.values[r - 1].decimal;
            tableAnswers << answer.values[r - 1].decimal;
            continue;
        }
        // The text the table shows, rounded as the answers are: it rounds an
        // exact half away from zero, so the float itself may round otherwise.
        table << gauss::numberText(shown);
        mpq_class read;
        gauss::readExact(table.last(), read);
        tableAnswers << gauss::decimalText(gauss::roundAnswer(read));
    }
    presenter.solved(answer, table, tableAnswers);
}

// The true solution x[1..n] beside the unknowns. With n = 0 the area is
// emptied (a student's working that ended without a single solution).
SolvePresenter::Answer Form1::writeSolution(const mpq_class *x, int n)
{
    if (n > 0)
        return solution->write(format, x, n);
    solution->empty();
    return {};
}

// --- The student's own elimination ----------------------------------------------

void Form1::practise()
{
    if (practice && practice->isVisible()) {
        practice->activateWindow();
        return;
    }
    if (parametric()) {
        if (const gauss::ParameterAnalysis *analysis =
                parameter->forPractice(solver.n, solver.unknowns))
            practice = new PracticePanel(this, windowGrid(), *analysis, shownBlock(), working);
        return;
    }
    if (!readTypedSystem())
        return;
    const gauss::ExactSystem system = gauss::exactSystem(solver.exact.a, solver.n, solver.unknowns);
    practice = new PracticePanel(this, windowGrid(), system, shownBlock(), working);
}

// The system as typed, read as a solve reads it, where the grid shows a working.
bool Form1::readTypedSystem()
{
    endPractice();
    if (gridShowsWorking)
        restoreSystem();
    return masiv(solver.n);
}

WindowGrid Form1::windowGrid()
{
    WindowGrid grid;
    grid.cellAt = [this](int r, int c) { return cell[r][c]; };
    grid.block = [this] { return activeBlock(); };
    grid.solutionArea = [this] { return solutionArea(); };
    grid.format = [this] { return format; };
    grid.showSolution = [this](const std::vector<mpq_class> &x) { showAnswer(x); };
    grid.showWorking = [this](const gauss::SolveRecord &record) {
        board->setRecord(record);
        board->followEnd();
    };
    grid.followWorking = [this] {
        board->setWorking(working, 0);
        board->followEnd();
    };
    grid.showExpressions = [this](const QStringList &values) {
        values.isEmpty() ? solution->empty() : solution->writeExpressions(values);
    };
    grid.zoom = zoom;
    grid.style = option[1]->style();
    return grid;
}

void Form1::showAnswer(const std::vector<mpq_class> &x)
{
    const int size = x.empty() ? 0 : int(x.size()) - 1;
    const SolvePresenter::Answer shown = writeSolution(x.data(), size);
    if (size > 0)
        SolvePresenter::record(working, shown);
}

void Form1::endPractice()
{
    if (practice)
        practice->close();
}

void Form1::restoreSystem()
{
    endPractice();
    if (typed.texts.isEmpty())
        return;
    if (typed.rows != solver.n || typed.unknowns != solver.unknowns || !systemShown)
        reshape(typed.rows, typed.unknowns);
    for (int r = 1; r <= typed.rows; ++r)
        for (int c = 1; c <= typed.unknowns + 1; ++c) {
            cell[r][c]->forgetExactValue();
            cell[r][c]->setText(typed.texts.value(r - 1).value(c - 1));
        }
    gridShowsWorking = false;
    Announcer::announce(this, QStringLiteral("Системата е върната."));
}

void Form1::chooseShape()
{
    int rows = solver.n;
    int unknowns = solver.unknowns;
    if (ShapeDialog::ask(this, rows, unknowns))
        reshape(rows, unknowns);
}

// Arranges rows equations in unknowns unknowns over what the grid shows: each
// coefficient that still has its unknown stays in its cell, and the
// right-hand sides move to the new last column.
void Form1::reshape(int rows, int unknowns)
{
    endPractice();
    const Working::Block before = systemShown ? shownBlock() : Working::Block();
    const int oldUnknowns = solver.unknowns;
    iz4istitext();
    iz4isticwet();
    arrange(rows, unknowns);
    solver.n = qint16(rows);
    solver.unknowns = qint16(unknowns);
    for (int k = 1; k <= Options; ++k)
        option[k]->setChecked(rows == unknowns && rows == k + 1);
    for (int r = 1; r <= rows && r <= before.size(); ++r) {
        const QStringList &row = before[r - 1];
        for (int c = 1; c <= std::min(unknowns, oldUnknowns); ++c)
            cell[r][c]->setText(row.value(c - 1));
        cell[r][unknowns + 1]->setText(row.value(oldUnknowns));
    }
    cell[1][1]->setFocus(Qt::OtherFocusReason);
    Announcer::announce(this, texts::shapeWords(rows, unknowns));
}

QRect Form1::solutionArea() const
{
    return solution->place().translated(Frame3->mapTo(this, QPoint(0, 0)));
}

// Everything on screen that the solve wrote is shown again in the view, at
// once and without solving again: the grid, the solution, a step's box open
// now, and the working that the copy and the handout read.
void Form1::setView(NumberFormat::View view)
{
    format = NumberFormat(view);
    for (int r = 1; r <= GridRows; ++r)
        for (int c = 1; c <= GridColumns; ++c)
            cell[r][c]->setView(format);
    solution->setView(format);
    presenter.setView(view);
    cramer->setView(view);
    board->setView(view);
    if (practice)
        practice->viewChanged();
}

// The rows of the active block, in the window's coordinates: the messages keep
// them in sight. With no system, the whole grid.
QRect Form1::activeBlock() const
{
    const int n = solver.n;
    const int last = n >= 1 && n <= gauss::MaxEquations ? n : GridRows;
    QRect block;
    for (int c = 1; c <= GridColumns; ++c)
        block |= cell[1][c]->geometry() | cell[last][c]->geometry();
    return block.translated(Frame1->mapTo(this, QPoint(0, 0)));
}

// --- Clipboard ------------------------------------------------------------------

void Form1::copyWorking()
{
    working.copy(shownBlock());
    Announcer::announce(this, QStringLiteral("Решението е копирано."));
}

// Fills the grid from the clipboard's text, from the cell at row, column on,
// as PastePlan plans it; no entry at all is left to the line edit (false).
bool Form1::pasteIntoGrid(int row, int column)
{
    const PastePlan::Shape shown{solver.n, solver.unknowns};
    const PastePlan paste = PastePlan::plan(PastePlan::pasted(), row, column,
                                            systemShown ? shown : PastePlan::Shape(), shown);
    switch (paste.action) {
    case PastePlan::LineEdit:
        return false;
    case PastePlan::Insert:
        if (!cell[row][column]->isReadOnly()) // else a cell of a working in practice
            cell[row][column]->insert(paste.text);
        return true;
    case PastePlan::Refuse:
        GridMessageBox::error(this, paste.text);
        return true;
    case PastePlan::Fill:
        break;
    }
    endPractice();
    if (paste.arrange.rows && paste.arrange.rows == paste.arrange.unknowns) {
        option[paste.arrange.rows - 1]->setChecked(true);
        Command1_Click();
    } else if (paste.arrange.rows) {
        reshape(paste.arrange.rows, paste.arrange.unknowns);
    }
    gridShowsWorking = false;
    for (int r = 0; r < paste.cells.size(); ++r)
        for (int c = 0; c < paste.cells[r].size(); ++c) {
            cell[row + r][column + c]->forgetExactValue(); // pasted, it is the user's own
            cell[row + r][column + c]->setText(paste.cells[r][c]);
        }
    // Spoken whether or not it arranged the grid: a paste shows nowhere near the focus.
    Announcer::announce(this, paste.told({solver.n, solver.unknowns}));
    return true;
}

Working::Block Form1::shownBlock() const
{
    Working::Block rows;
    for (int r = 1; r <= solver.n && r <= GridRows; ++r) {
        QStringList row;
        for (int c = 1; c <= solver.unknowns + 1 && c <= GridColumns; ++c)
            row << cell[r][c]->text();
        rows << row;
    }
    return rows;
}
