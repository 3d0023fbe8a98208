#include "form1.h"

#include "announcer.h"
#include "exacttwin.h"
#include "exactwords.h"
#include "explanation.h"
#include "fonts.h"
#include "gridcell.h"
#include "gridmenu.h"
#include "gridmessagebox.h"
#include "handout.h"
#include "numbertext.h"
#include "pasteplan.h"
#include "practicepanel.h"
#include "sharedtexts.h"
#include "valuelabel.h"
#include "windowstyle.h"
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

namespace
{

// Every place and size of the window is given in twips, 15 to a logical pixel.
constexpr int px(int twips)
{
    return twips / 15;
}
QRect twips(int left, int top, int width, int height)
{
    return QRect(px(left), px(top), px(width), px(height));
}

// The faces the window was drawn with are rarely installed; their stand-ins
// are metric-compatible or at least carry Cyrillic glyphs.
QFont windowFont(const QString &face, qreal points, bool italic = false)
{
    QFont font;
    font.setFamilies(fonts::window(face));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    font.setBold(true);
    font.setItalic(italic);
    return font;
}
QFont sansSerif(qreal points, bool italic = false)
{
    return windowFont(QStringLiteral("MS Sans Serif"), points, italic);
}

// Relative luminance and contrast ratio as the web's accessibility guidelines
// define them; QColor has lightness, not these.
qreal luminance(const QColor &colour)
{
    auto linear = [](qreal c) {
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
           0.0722 * linear(colour.blueF());
}
qreal contrast(const QColor &a, const QColor &b)
{
    const qreal one = luminance(a), other = luminance(b);
    return (std::max(one, other) + 0.05) / (std::min(one, other) + 0.05);
}

// Text entry backgrounds of the desktop, the "window background" of the grid,
// as long as the cells' fixed red reads on it. A dark desktop's would leave the
// numbers at less than 3:1, so there the block takes white, the background the
// window was drawn for.
QColor entryBackground()
{
    constexpr qreal Readable = 3;
    const QColor desktop = QApplication::palette().color(QPalette::Base);
    return contrast(Form1::cellRed(), desktop) >= Readable ? desktop : QColor(Qt::white);
}

void setRole(QWidget *w, QPalette::ColorRole role, const QColor &colour)
{
    QPalette pal = w->palette();
    pal.setColor(role, colour);
    w->setPalette(pal);
}
void setLabelBackground(QLabel *label, const QColor &colour)
{
    label->setAutoFillBackground(true);
    setRole(label, QPalette::Window, colour);
}

// A vertical line at x from top to bottom (twips), one pixel wide, centred in
// a frame three pixels wide so that it stays visible whatever the style.
QFrame *verticalLine(QWidget *parent, const char *name, int x, int top, int bottom)
{
    auto *line = new QFrame(parent);
    line->setObjectName(QLatin1String(name));
    line->setFrameShape(QFrame::VLine);
    line->setFrameShadow(QFrame::Plain);
    line->setAccessibleName(QStringLiteral("разделителна линия"));
    line->setGeometry(px(x) - 1, px(top), 3, px(bottom) - px(top) + 1);
    return line;
}

} // namespace

Form1::Form1(QWidget *parent)
    : QWidget(parent), presenter(
                           this, [this] { return activeBlock(); }, working)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(texts::windowTitle());
    setFont(sansSerif(9.75));
    setFixedSize(px(12285), px(8805));

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
    actions.save = [this] { Handout::saveWithDialog(this, working, shownBlock(solver.n)); };
    actions.print = [this] { Handout::printWithDialog(this, working, shownBlock(solver.n)); };
    actions.switchView = [this] {
        setView(format.view() == NumberFormat::Fractions ? NumberFormat::Decimals
                                                         : NumberFormat::Fractions);
        NumberFormat::save(format.view());
        Announcer::announce(this, format.name());
    };
    actions.fractions = [this] { return format.view() == NumberFormat::Fractions; };
    actions.practise = [this] { practise(); };
    gridMenu = new GridMenu(this, Frame1, zoom, actions);
    setView(NumberFormat::saved());
}

void Form1::createFrames()
{
    auto frame = [this](const char *name, const QRect &place, const QColor &colour) {
        auto *box = new QGroupBox(this);
        box->setObjectName(QLatin1String(name));
        box->setGeometry(place);
        box->setAutoFillBackground(true);
        setRole(box, QPalette::Window, colour);
        // Texts drawn on the fixed colours keep the colour they have on a
        // light desktop; a dark theme's light text would vanish on them.
        setRole(box, QPalette::WindowText, captionBlack());
        return box;
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
        button->installEventFilter(this);
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
        auto *button = new QPushButton(caption, Frame3);
        button->setObjectName(QLatin1String(name));
        button->setGeometry(twips(240, top, 2775, 495));
        button->setAutoDefault(false);
        button->setAccessibleName(caption);
        button->installEventFilter(this);
        return button;
    };
    Command1 = command("Command1", QStringLiteral("ВЪВЕДИ  СИСТЕМАТА"), 240);
    Command3 = command("Command3", QStringLiteral("РЕШИ СИСТЕМАТА"), 960);
    Command2 = command("Command2", QStringLiteral("ИЗЧИСТИ"), 1680);

    auto picture = [this](const char *name, const QRect &place, const QString &accessibleName) {
        auto *image = new QLabel(Frame3);
        image->setObjectName(QLatin1String(name));
        image->setAccessibleName(accessibleName);
        image->setGeometry(place);
        image->setScaledContents(true);
        return image;
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

    for (int r = 1; r <= GridRows; ++r) {
        auto *name = new QLabel(QStringLiteral("x%1=").arg(r), Frame3);
        name->setObjectName(QStringLiteral("Label%1").arg(r));
        name->setGeometry(twips(3480, 720 + 360 * (r - 1), 495, 375));
        name->setFont(sansSerif(12));
        nameLabel[r] = name;

        auto *value = new ValueLabel(r, Frame3);
        value->setObjectName(QStringLiteral("Label%1").arg(10 * r));
        value->setGeometry(twips(3960, 720 + 360 * (r - 1), 1215, 375));
        value->setFont(sansSerif(12));
        setRole(value, QPalette::WindowText, valueBlue());
        valueLabel[r] = value;
    }

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

// Enter on a focused button presses it: the buttons are not auto-default, so
// that Enter in a cell moves on instead.
bool Form1::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const auto *key = static_cast<QKeyEvent *>(event);
    if (key->modifiers() & ~Qt::KeypadModifier)
        return QWidget::eventFilter(watched, event);
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (auto *button = qobject_cast<QPushButton *>(watched)) {
            button->click();
            return true;
        }
        break;
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (arrowSelectsSize(watched, key->key()))
            return true;
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

// The arrows in the size options select the option they move to, as in any
// exclusive group. Qt's own move selects only when it starts from the selected
// option, which a screen reader's focus need not be on, and finds nothing
// above or below in a row; here Up goes left and Down right.
bool Form1::arrowSelectsSize(QObject *watched, int key)
{
    for (int k = 1; k <= Options; ++k) {
        if (option[k] != watched)
            continue;
        const int to = key == Qt::Key_Left || key == Qt::Key_Up ? k - 1 : k + 1;
        if (to >= 1 && to <= Options) {
            option[to]->setChecked(true);
            option[to]->setFocus(Qt::TabFocusReason);
        }
        return true;
    }
    return false;
}

// --- Start-up, size selection, clearing -------------------------------------

void Form1::Form_Load()
{
    iz4istitext();
    iz4isticwet();
    solver.n = 2;
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
        solver.n = static_cast<qint16>(k + 1);
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
        valueLabel[r]->forgetExactValue();
    }
    // Label1 .. Label99 in the order of their numbers: names, values and grid labels.
    for (int number = 1; number <= 99; ++number) {
        const int r = number / 10;
        const int c = number % 10;
        if (r == 0)
            nameLabel[c]->setText(QString());
        else if (c == 0)
            valueLabel[r]->setText(QString());
        else
            gridLabel[r][c]->setText(QString());
    }
    working.clear(); // what it recorded is no longer on screen
}

void Form1::iz4isticwet()
{
    for (int r = 1; r <= GridRows; ++r)
        for (int c = 1; c <= GridColumns; ++c)
            cell[r][c]->setPalette(QPalette()); // a cell already at rest costs nothing
    for (int r = 1; r <= GridRows; ++r)
        setLabelBackground(nameLabel[r], commandsTeal());
    for (int r = 1; r <= GridRows; ++r)
        setLabelBackground(valueLabel[r], commandsTeal());
    systemShown = false;
}

// The one place that says which cells are the system: the block of size rows
// of size + 1 cells, which Command1_Click and Form_Load make n. Its cells alone
// take Tab, since a number typed outside it would be ignored by the solve.
void Form1::arrange(int size)
{
    for (int r = 1; r <= GridRows; ++r)
        for (int c = 1; c <= GridColumns; ++c)
            cell[r][c]->setInSystem(r <= size && c <= size + 1, size);
    const QColor background = entryBackground();
    for (int r = 1; r <= size; ++r)
        for (int c = 1; c <= size + 1; ++c)
            setRole(cell[r][c], QPalette::Base, background);
    for (int r = 1; r <= size; ++r)
        for (int c = 1; c <= size; ++c)
            gridLabel[r][c]->setText(c < size ? QStringLiteral(".x%1+").arg(c)
                                              : QStringLiteral(".x%1=").arg(size));
    systemShown = true;
}

// --- Solving ------------------------------------------------------------------

// The solver's one driver runs the determinant test, both passes and the
// solution; the window reads the grid for it (masiv) and, after each step,
// shows the matrix (stypka) for the presenter to hold on screen.
void Form1::Command3_Click()
{
    endPractice();
    const gauss::SolveEnd end = gauss::solve(
        solver, [this] { return masiv(solver.n); },
        [this](const gauss::Step &step) {
            stypka(solver.a);
            presenter.step(step, workingNumbers());
        },
        format.view() == NumberFormat::Fractions ? gauss::SolveMode::ExactToTheEnd
                                                 : gauss::SolveMode::StopWithSevenDigits);
    switch (end.result) {
    case gauss::SolveResult::Solved:
        stypka(solver.a);
        rechenie();
        break;
    case gauss::SolveResult::Refused:
        presenter.refused(singularWords(gauss::analyseSingular(solver.exact.a, solver.n)));
        break;
    case gauss::SolveResult::Overflow:
    case gauss::SolveResult::Underflow:
    case gauss::SolveResult::TooFewDigits:
        presenter.stopped(end, writeSolution(solver.exact.x, solver.n));
        break;
    case gauss::SolveResult::BadCell:
        break; // masiv has said which cell
    }
}

bool Form1::masiv(qint16 &n)
{
    int badRow = 0;
    int badColumn = 0;
    const auto text = [this](int r, int c) { return cell[r][c]->text(); };
    const auto exact = [this](int r, int c) { return cell[r][c]->exactValue(); };
    if (gauss::readBlock(solver, n, text, &badRow, &badColumn, exact)) {
        presenter.read(shownBlock(n));
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
// hovering and for a switch of the view: m is always the working matrix,
// whose twin the solver keeps.
void Form1::stypka(const gauss::Matrix &m)
{
    const int n = solver.n;
    if (n < gauss::MinEquations || n > gauss::MaxEquations)
        return;
    for (int r = 1; r <= n; ++r)
        for (int c = 1; c <= n + 1; ++c)
            cell[r][c]->setNumber(format, NumberFormat::ofWorking(m[r][c], solver.exact.a[r][c]));
}

SolvePresenter::Numbers Form1::workingNumbers() const
{
    SolvePresenter::Numbers rows;
    for (int r = 1; r <= solver.n; ++r) {
        rows.append(QList<NumberFormat::Number>());
        for (int c = 1; c <= solver.n + 1; ++c)
            rows.last() << NumberFormat::ofWorking(solver.a[r][c], solver.exact.a[r][c]);
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
        table << gauss::numberText(shown);
        tableAnswers << gauss::decimalText(gauss::roundAnswer(mpq_class(double(shown))));
    }
    presenter.solved(answer, table, tableAnswers);
}

// The true solution x[1..n] beside the unknowns, rounded once as every answer
// is; the labels of rows above n stay as they are. With n = 0 the area is
// emptied (a student's working that ended without a single solution).
SolvePresenter::Answer Form1::writeSolution(const mpq_class *x, int n)
{
    SolvePresenter::Answer shown;
    if (n == 0) {
        for (int r = 1; r <= GridRows; ++r) {
            nameLabel[r]->setText(QString());
            valueLabel[r]->setText(QString());
            valueLabel[r]->forgetExactValue();
        }
        return shown;
    }
    for (int r = 1; r <= n; ++r) {
        nameLabel[r]->setText(QStringLiteral("x%1=").arg(r));
        shown.names << nameLabel[r]->text();
    }
    for (int r = 1; r <= n; ++r) {
        shown.values << NumberFormat::ofAnswer(x[r]);
        valueLabel[r]->setValue(format, shown.values.last());
    }
    return shown;
}

// --- The student's own elimination ----------------------------------------------

void Form1::practise()
{
    if (practice && practice->isVisible()) {
        practice->activateWindow();
        return;
    }
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
    practice = new PracticePanel(this, grid, system, shownBlock(n), working);
}

void Form1::endPractice()
{
    if (practice)
        practice->close();
}

QRect Form1::solutionArea() const
{
    const QRect area = nameLabel[1]->geometry() | valueLabel[GridRows]->geometry();
    return area.translated(Frame3->mapTo(this, QPoint(0, 0)));
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
        valueLabel[r]->setView(format);
    }
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
    working.copy(shownBlock(solver.n));
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
    Announcer::announce(this,
                        system ? QStringLiteral("Поставена е система с %1 уравнения.").arg(solver.n)
                               : QStringLiteral("Поставени са %1 числа.").arg(numbers));
    return true;
}

Working::Block Form1::shownBlock(int size) const
{
    Working::Block rows;
    for (int r = 1; r <= size && r <= GridRows; ++r) {
        QStringList row;
        for (int c = 1; c <= size + 1; ++c)
            row << cell[r][c]->text();
        rows << row;
    }
    return rows;
}
