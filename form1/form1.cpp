#include "form1.h"

#include "announcer.h"
#include "controls.h"
#include "exacttwin.h"
#include "exactwords.h"
#include "explanation.h"
#include "fonts.h"
#include "gridcell.h"
#include "gridmenu.h"
#include "gridmessagebox.h"
#include "handout.h"
#include "latexwriter.h"
#include "newexercise.h"
#include "numbertext.h"
#include "pasteplan.h"
#include "practicepanel.h"
#include "shapedialog.h"
#include "sharedtexts.h"
#include "solutionarea.h"
#include "valuelabel.h"
#include "windowkeys.h"
#include "windowstyle.h"
#include "worksheetdialog.h"
#include "zoom.h"

#include <QApplication>
#include <QButtonGroup>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
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
    keys = new WindowKeys(this);

    createFrames();
    createOptions();
    createGrid();
    createCommands();
    createSolutionArea();
    createExplanation();
    setFocusOrder();

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

    zoom = new WindowZoom(this, [this](qreal factor) { drawPictures(factor); });
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

void Form1::createFrames()
{
    auto frame = [this](const char *name, const QRect &place, const QColor &colour) {
        return colouredFrame(this, name, place, colour, captionBlack());
    };
    Frame2 = frame("Frame2", twips(0, 0, 12255, 855), optionsYellow());
    Frame2->setTitle(QStringLiteral("ИЗБЕРИ БРОЙ НА УРАВНЕНИЯТА /НЕИЗВЕСТНИТЕ/"));
    Frame1 = frame("Frame1", twips(0, 840, 12255, 3735), gridGreen());
    // Its cells and captions take the frame's font and colours: the captions
    // show its green, the cells its red numbers and, at rest, its green.
    Frame1->setFont(sansSerif(12));
    setRole(Frame1, QPalette::Text, cellRed());
    setRole(Frame1, QPalette::Base, gridGreen());
    Frame1->setAccessibleName(QStringLiteral("таблица на системата"));
    Frame3 = frame("Frame3", twips(0, 4560, 12255, 4215), commandsTeal());
    Frame3->setAccessibleName(QStringLiteral("команди и решение"));
}

void Form1::createOptions()
{
    options = new QButtonGroup(this);
    options->setExclusive(true);
    for (int k = 1; k <= Options; ++k) {
        auto *button = new QRadioButton(QString::number(k + 1), Frame2);
        button->setObjectName(QStringLiteral("Option%1").arg(k));
        button->setGeometry(twips(1440 + 1200 * (k - 1), 360, 735, 375));
        button->setFont(sansSerif(12));
        button->setAccessibleName(QStringLiteral("%1 уравнения").arg(k + 1));
        options->addButton(button);
        keys->watchOption(button);
        option[k] = button;
    }
    option[1]->setChecked(true);
}

void Form1::createGrid()
{
    GridCell::Grid grid;
    grid.cellAt = [this](int r, int c) {
        return r >= 1 && r <= GridRows && c >= 1 && c <= GridColumns ? cell[r][c] : nullptr;
    };
    grid.afterLast = [this] { return Command3; };
    grid.paste = [this](int r, int c) { return pasteIntoGrid(r, c); };
    grid.gridMenu = [this](QMenu *menu) { gridMenu->addTo(menu); };
    for (int r = 1; r <= GridRows; ++r) {
        for (int c = 1; c <= GridColumns; ++c) {
            auto *box = new GridCell(r, c, grid, Frame1);
            box->setObjectName(QStringLiteral("Text%1").arg(10 * r + c));
            const bool tall = r == 1 || (r == 7 && c == 6);
            box->setGeometry(twips(240 + 1200 * (c - 1), 360 * r, 735, tall ? 405 : 375));
            const bool last = c == GridColumns;
            box->setAlignment((last ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
            cell[r][c] = box;
            connect(box, &QLineEdit::textEdited, this, [this] { gridShowsWorking = false; });
        }
    }
    for (int r = 1; r <= GridRows; ++r) {
        for (int c = 1; c < GridColumns; ++c) {
            auto *label = new QLabel(Frame1);
            label->setObjectName(QStringLiteral("Label%1").arg(10 * r + c));
            label->setGeometry(twips(960 + 1200 * (c - 1), 360 * r, 495, 375));
            gridLabel[r][c] = label;
        }
    }
    // Cells come after the labels in the stacking order, so where the two
    // overlap by a pixel the cell's frame stays whole.
    for (int r = 1; r <= GridRows; ++r)
        for (int c = 1; c <= GridColumns; ++c)
            cell[r][c]->raise();

    Line1 = verticalLine(Frame1, "Line1", 120, 240, 3720);
}

void Form1::createCommands()
{
    auto command = [this](const char *name, const QString &caption, int top) {
        QPushButton *button = commandButton(Frame3, name, caption, twips(240, top, 2775, 495));
        keys->watchCommand(button);
        return button;
    };
    Command1 = command("Command1", QStringLiteral("ВЪВЕДИ  СИСТЕМАТА"), 240);
    Command3 = command("Command3", QStringLiteral("РЕШИ СИСТЕМАТА"), 960);
    Command2 = command("Command2", QStringLiteral("ИЗЧИСТИ"), 1680);

    auto picture = [this](const char *name, const QRect &place, const QString &accessibleName) {
        return controls::picture(Frame3, name, place, accessibleName);
    };
    Image1 = picture("Image1", twips(240, 2280, 2775, 1605),
                     QStringLiteral("картинка: единична матрица с решението"));
    Image2 = picture("Image2", twips(5400, 840, 1650, 1920),
                     QStringLiteral("картинка: система уравнения и нейното решение"));
    drawPictures(1);
}

// A picture drawn with twice the pixels keeps it sharp where the window is
// zoomed or the screen dense enough to blow the 1x picture up.
void Form1::drawPictures(qreal zoom)
{
    const bool dense = zoom * devicePixelRatioF() > 1;
    for (QLabel *image : {Image1, Image2}) {
        const QString file = QStringLiteral(":/images/%1%2.jpg")
                                 .arg(image->objectName().toLower(), dense ? "@2x" : "");
        image->setPixmap(QPixmap(file));
    }
}

void Form1::createSolutionArea()
{
    Label100 = new QLabel(QStringLiteral("РЕШЕНИЕ"), Frame3);
    Label100->setObjectName(QStringLiteral("Label100"));
    Label100->setGeometry(twips(3480, 240, 1335, 375));
    Label100->setAlignment(Qt::AlignCenter);

    solution = new SolutionArea(Frame3, GridRows, sansSerif(12), valueBlue());

    Line2 = verticalLine(Frame3, "Line2", 3360, 720, 3960);

    Label101 = new QLabel(QStringLiteral("учебна програма"), Frame3);
    Label101->setObjectName(QStringLiteral("Label101"));
    Label101->setGeometry(twips(8760, 3720, 2895, 375));
    Label101->setAlignment(Qt::AlignCenter);
    Label101->setFont(sansSerif(12, true));
    setLabelBackground(Label101, commandsTeal());
}

void Form1::createExplanation()
{
    List1 = new QListWidget(Frame3);
    List1->setObjectName(QStringLiteral("List1"));
    List1->setGeometry(twips(7080, 240, 4695, 3180));
    List1->setFont(windowFont(QStringLiteral("Arial"), 9.75));
    List1->setAccessibleName(QStringLiteral("обяснение на метода"));
    List1->addItems(explanationLines());
}

void Form1::setFocusOrder()
{
    QList<QWidget *> order;
    for (int r = 1; r <= GridRows; ++r)
        for (int c = 1; c <= GridColumns; ++c)
            order << cell[r][c];
    for (int k = 1; k <= Options; ++k)
        order << option[k];
    order << Command1 << Command2 << List1 << Command3;
    for (int i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);

    for (QWidget *w : {static_cast<QWidget *>(Frame1), static_cast<QWidget *>(Frame2),
                       static_cast<QWidget *>(Frame3)})
        w->setFocusPolicy(Qt::NoFocus);
    cell[1][1]->setFocus();
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
    if (!masiv(solver.n))
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
    else
        presenter.refused(singularWords(record.verdict.ranks));
}

// "Реши докрай": any system, worked exactly to its end.
void Form1::solveToTheEnd()
{
    endPractice();
    if (masiv(solver.n))
        play(gauss::solveExactly(solver.exact.a, solver.n, solver.unknowns));
}

// The record's steps one by one, each held by its box; then its end.
void Form1::play(const gauss::SolveRecord &record)
{
    for (const gauss::RecordStep &made : record.steps) {
        stypka(made.single, made.exact);
        presenter.step(made.step, workingNumbers(made.single, made.exact));
    }
    gridShowsWorking = !record.steps.empty();
    if (!record.sevenDigits) {
        const gauss::ExactMatrix &last =
            record.steps.empty() ? record.system : record.steps.back().exact;
        stypka(record.steps.empty() ? solver.a : record.steps.back().single, last);
        showVerdict(record.verdict);
        return;
    }
    switch (record.end.result) {
    case gauss::SolveResult::Solved:
        stypka(solver.a, solver.exact.a);
        rechenie();
        break;
    case gauss::SolveResult::Overflow:
    case gauss::SolveResult::Underflow:
    case gauss::SolveResult::TooFewDigits:
        presenter.stopped(record.end, writeSolution(solver.exact.x, solver.n));
        break;
    default:
        break;
    }
}

// The end of an exact working: the values beside the unknowns, or the
// general solution's expressions, and the box with the ranks and the verdict.
void Form1::showVerdict(const gauss::Verdict &verdict)
{
    const int n = solver.unknowns;
    SolvePresenter::Answer answer;
    if (verdict.kind == gauss::Verdict::One) {
        answer = writeSolution(verdict.x.data(), n);
    } else {
        solution->empty();
        if (verdict.kind == gauss::Verdict::Many)
            solution->writeExpressions(valueWords(verdict.ranks, n));
    }
    presenter.verdict(verdictWords(verdict, n), answer);
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

SolvePresenter::Numbers Form1::workingNumbers(const gauss::Matrix &m,
                                              const gauss::ExactMatrix &exact) const
{
    SolvePresenter::Numbers rows;
    for (int r = 1; r <= solver.n; ++r) {
        rows.append(QList<NumberFormat::Number>());
        for (int c = 1; c <= solver.unknowns + 1; ++c)
            rows.last() << NumberFormat::ofWorking(m[r][c], exact[r][c]);
    }
    return rows;
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
    if (gridShowsWorking)
        restoreSystem();
    if (!masiv(solver.n))
        return;
    const int n = solver.n;
    gauss::ExactSystem system;
    system.n = n;
    for (int r = 1; r <= n; ++r)
        for (int c = 1; c <= n + 1; ++c)
            system.a[r][c] = solver.exact.a[r][c];
    PracticePanel::Grid grid;
    grid.cellAt = [this](int r, int c) { return cell[r][c]; };
    grid.block = [this] { return activeBlock(); };
    grid.solutionArea = [this] { return solutionArea(); };
    grid.format = [this] { return format; };
    grid.showSolution = [this](const std::vector<mpq_class> &x) {
        const int size = x.empty() ? 0 : int(x.size()) - 1;
        const SolvePresenter::Answer shown = writeSolution(x.data(), size);
        if (size > 0)
            SolvePresenter::record(working, shown);
    };
    practice = new PracticePanel(this, grid, system, shownBlock(), working);
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
    for (int r = 1; r <= GridRows; ++r) {
        for (int c = 1; c <= GridColumns; ++c)
            cell[r][c]->setView(format);
    }
    solution->setView(format);
    presenter.setView(view);
    if (practice)
        practice->viewChanged();
}

// The rows of the active block, in the window's coordinates: the messages keep
// them in sight. With no system, the whole grid.
QRect Form1::activeBlock() const
{
    const int n = solver.n;
    const int last = n >= gauss::MinEquations && n <= gauss::MaxEquations ? n : GridRows;
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
    const PastePlan paste =
        PastePlan::plan(PastePlan::pasted(), row, column, systemShown ? solver.n : 0, solver.n);
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
    if (paste.arrange) {
        option[paste.arrange - 1]->setChecked(true);
        Command1_Click();
    }
    gridShowsWorking = false;
    for (int r = 0; r < paste.cells.size(); ++r)
        for (int c = 0; c < paste.cells[r].size(); ++c) {
            cell[row + r][column + c]->forgetExactValue(); // pasted, it is the user's own
            cell[row + r][column + c]->setText(paste.cells[r][c]);
        }
    // Spoken whether or not it arranged the grid: a paste shows nowhere near the focus.
    int numbers = 0;
    for (const QStringList &cells : paste.cells)
        numbers += int(cells.size());
    const bool system = numbers == solver.n * (solver.n + 1);
    Announcer::announce(
        this, (system ? QStringLiteral("Поставена е система с %1 уравнения.").arg(solver.n)
                      : QStringLiteral("Поставени са %1 числа.").arg(numbers)) +
                  (paste.assumed.isEmpty() ? QString() : u' ' + paste.assumed));
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
