#include "form1.h"

#include "gridcell.h"
#include "gridmessagebox.h"
#include "numbertext.h"
#include "rowoptext.h"
#include "systemtext.h"
#include "valuelabel.h"
#include "windowstyle.h"

#include <QApplication>
#include <QButtonGroup>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>

#include <limits>

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

// The faces the window was drawn with are rarely installed; the fallbacks
// are metric-compatible or at least carry Cyrillic glyphs.
QFont windowFont(const QString &face, qreal points, bool italic = false)
{
    // Debian has neither face; naming the stand-ins as substitutes spares the
    // font matching a search through every installed font for each of them.
    static const bool substituted = [] {
        const QStringList standIns{QStringLiteral("Liberation Sans"),
                                   QStringLiteral("DejaVu Sans")};
        QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"), standIns);
        QFont::insertSubstitutions(QStringLiteral("Arial"), standIns);
        return true;
    }();
    Q_UNUSED(substituted);
    QFont font;
    font.setFamilies({face, QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
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

// Text entry backgrounds of the desktop, the "window background" of the grid.
QColor entryBackground()
{
    return QApplication::palette().color(QPalette::Base);
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

const QString listLines[] = {
    QStringLiteral("                      метод на Гаус "),
    QStringLiteral("                       за решаване "),
    QStringLiteral("         на системи линейни уравнения      "),
    QStringLiteral("          "),
    QStringLiteral("        първоначален вид на системата:    "),
    QStringLiteral("          "),
    QStringLiteral("    I a11.x1+a12.x2+a13.x3+...+a1n.xn=b1"),
    QStringLiteral("    I a21.x1+a22.x2+a23.x3+...+a2n.xn=b2        "),
    QStringLiteral("    I a31.x1+a32.x2+a33.x3+...+a1n.xn=b1        "),
    QStringLiteral("    I ..........................................................."),
    QStringLiteral("    I an1.x1+an2.x2+an3.x3+...+ann.xn=bn"),
    QStringLiteral("                   "),
    QStringLiteral("         еквивалентни преобразувания:            "),
    QStringLiteral("1) размяна на местата на редове                   "),
    QStringLiteral("2) умножение на ред с число различно от 0 "),
    QStringLiteral("3) умножение на ред с число различно от 0 "),
    QStringLiteral("и събиране с друг ред                                        "),
    QStringLiteral("                     "),
    QStringLiteral("                            прав ход                           "),
    QStringLiteral("      чрез еквивалентни преобразувания"),
    QStringLiteral("                системата добива вида:           "),
    QStringLiteral("       "),
    QStringLiteral("    I     1.x1+a'12.x2+a'13.x3+...+a'1n.xn=b'1"),
    QStringLiteral("    I     0.x1+    1.x2 +a'13.x3+...+a'2n.xn=b'2    "),
    QStringLiteral("    I     0.x1+    0.x2+      1.x3+...+a'3n.xn=b'3 "),
    QStringLiteral("    I     ..........................................................."),
    QStringLiteral("    I     0.x1+    0.x2+      0.x3+...+     1.xn=b'n"),
    QStringLiteral(
        "                                                                                   "),
    QStringLiteral("                            обратен ход                           "),
    QStringLiteral("      чрез еквивалентни преобразувания"),
    QStringLiteral("                системата добива вида:           "),
    QStringLiteral("       "),
    QStringLiteral("    I     1.x1+    0.x2+      0.x3+...+    0.xn=b''1"),
    QStringLiteral("    I     0.x1+    1.x2 +     0.x3+...+    0.xn=b''2    "),
    QStringLiteral("    I     0.x1+    0.x2+      1.x3+...+    0.xn=b''3 "),
    QStringLiteral("    I     ..........................................................."),
    QStringLiteral("    I     0.x1+    0.x2+      0.x3+...+    1.xn=b''n       "),
    QStringLiteral("    "),
    QStringLiteral("                        решението е:"),
    QStringLiteral("  "),
    QStringLiteral("                          I  x1=b''1"),
    QStringLiteral("                          I  x2=b''2"),
    QStringLiteral("                          I  x3=b''3"),
    QStringLiteral("                          I  ..........."),
    QStringLiteral("                          I  xn=b''n"),
    QStringLiteral(""),
    QStringLiteral("      Програмата решава само системи, "),
    QStringLiteral("      които имат единствено решение. "),
    QStringLiteral("                     ПРИЯТНА РАБОТА!"),
};

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

Form1::Form1(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("системи линейни уравнения - метод на ГАУС"));
    setFont(sansSerif(9.75));
    setFixedSize(px(12285), px(8805));

    createFrames();
    createOptions();
    createGrid();
    createCommands();
    createSolutionArea();
    createExplanation();
    setFocusOrder();
    createClipboard();

    // The frames' colours and the resting cells must be drawn exactly, which
    // the desktop's style alone does not do.
    auto *look = new WindowStyle(gridGreen(), this);
    for (QWidget *frame : {Frame1, Frame2, Frame3})
        frame->setStyle(look);
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 10; ++c)
            cell[r][c]->setStyle(look);

    connect(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form1::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Form1::Command3_Click);

    Form_Load();
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
    Frame1->setFont(sansSerif(12));
    Frame1->setAccessibleName(QStringLiteral("таблица на системата"));
    Frame3 = frame("Frame3", twips(0, 4560, 12255, 4215), commandsTeal());
    Frame3->setAccessibleName(QStringLiteral("команди и решение"));
}

void Form1::createOptions()
{
    options = new QButtonGroup(this);
    options->setExclusive(true);
    for (int k = 1; k <= 8; ++k) {
        auto *button = new QRadioButton(QString::number(k + 1), Frame2);
        button->setObjectName(QStringLiteral("Option%1").arg(k));
        button->setGeometry(twips(1440 + 1200 * (k - 1), 360, 735, 375));
        button->setFont(sansSerif(12));
        button->setAccessibleName(QStringLiteral("%1 уравнения").arg(k + 1));
        options->addButton(button, k);
        button->installEventFilter(this);
        option[k] = button;
    }
    option[1]->setChecked(true);
}

void Form1::createGrid()
{
    for (int r = 1; r <= 9; ++r) {
        for (int c = 1; c <= 10; ++c) {
            auto *box = new GridCell(Frame1);
            box->setObjectName(QStringLiteral("Text%1").arg(10 * r + c));
            const bool tall = r == 1 || (r == 7 && c == 6);
            box->setGeometry(twips(240 + 1200 * (c - 1), 360 * r, 735, tall ? 405 : 375));
            box->setFont(sansSerif(12));
            box->setAlignment((c == 10 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
            box->setText(c == 10 ? QStringLiteral("b%1").arg(r)
                                 : QStringLiteral("a%1%2").arg(r).arg(c));
            setRole(box, QPalette::Text, cellRed());
            box->setAccessibleName(QStringLiteral("ред %1, колона %2").arg(r).arg(c));
            box->installEventFilter(this);
            cell[r][c] = box;
        }
    }
    for (int r = 1; r <= 9; ++r) {
        for (int c = 1; c <= 9; ++c) {
            auto *label = new QLabel(Frame1);
            label->setObjectName(QStringLiteral("Label%1").arg(10 * r + c));
            label->setGeometry(twips(960 + 1200 * (c - 1), 360 * r, 495, 375));
            label->setFont(sansSerif(12));
            label->setText(c < 9 ? QStringLiteral(".x%1+").arg(c) : QStringLiteral(".x9="));
            setLabelBackground(label, gridGreen());
            gridLabel[r][c] = label;
        }
    }
    // Cells come after the labels in the stacking order, so where the two
    // overlap by a pixel the cell's frame stays whole.
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 10; ++c)
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

    auto picture = [this](const char *name, const QString &file, const QRect &place,
                          const QString &accessibleName) {
        auto *image = new QLabel(Frame3);
        image->setObjectName(QLatin1String(name));
        image->setAccessibleName(accessibleName);
        image->setGeometry(place);
        image->setScaledContents(true);
        // On a high-density screen the picture drawn with twice the pixels
        // keeps it sharp where the 1x picture would be blown up.
        QPixmap pixmap;
        if (devicePixelRatioF() > 1)
            pixmap.load(QString(file).replace(QLatin1String(".jpg"), QLatin1String("@2x.jpg")));
        image->setPixmap(pixmap.isNull() ? QPixmap(file) : pixmap);
        return image;
    };
    Image1 = picture("Image1", QStringLiteral(":/images/image1.jpg"), twips(240, 2280, 2775, 1605),
                     QStringLiteral("картинка: единична матрица с решението"));
    Image2 = picture("Image2", QStringLiteral(":/images/image2.jpg"), twips(5400, 840, 1650, 1920),
                     QStringLiteral("картинка: система уравнения и нейното решение"));
}

void Form1::createSolutionArea()
{
    Label100 = new QLabel(QStringLiteral("РЕШЕНИЕ"), Frame3);
    Label100->setObjectName(QStringLiteral("Label100"));
    Label100->setGeometry(twips(3480, 240, 1335, 375));
    Label100->setAlignment(Qt::AlignCenter);

    for (int r = 1; r <= 9; ++r) {
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
    for (const QString &line : listLines)
        List1->addItem(line);
}

void Form1::setFocusOrder()
{
    QList<QWidget *> order;
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 10; ++c)
            order << cell[r][c];
    for (int k = 1; k <= 8; ++k)
        order << option[k];
    order << Command1 << Command2 << List1 << Command3;
    for (int i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);

    for (QWidget *w : {static_cast<QWidget *>(Frame1), static_cast<QWidget *>(Frame2),
                       static_cast<QWidget *>(Frame3)})
        w->setFocusPolicy(Qt::NoFocus);
    setFocusProxy(nullptr);
    cell[1][1]->setFocus();
}

// The keys of the cells, the size options and the buttons, and the clipboard
// of the cells. Up and Down step through the grid's rows, as in a spreadsheet;
// a one-line text box has no use for them. The cell entered selects its text,
// as Tab does, so that typing replaces it. Left and Right keep moving the cursor.
bool Form1::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::ShortcutOverride && type != QEvent::ContextMenu)
        return QWidget::eventFilter(watched, event);
    int row = 0;
    int column = 0;
    const bool inGrid = cellPlace(watched, row, column);
    if (inGrid && cellClipboardEvent(row, column, event))
        return true;
    if (type != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const auto *key = static_cast<QKeyEvent *>(event);
    if (key->modifiers() & ~Qt::KeypadModifier)
        return QWidget::eventFilter(watched, event);
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (enterMovesOn(watched, row, column))
            return true;
        break;
    case Qt::Key_Left:
    case Qt::Key_Right:
        if (arrowSelectsSize(watched, key->key()))
            return true;
        break;
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (arrowSelectsSize(watched, key->key()))
            return true;
        if (inGrid) {
            const int to = key->key() == Qt::Key_Up ? row - 1 : row + 1;
            if (to >= 1 && to <= 9) {
                cell[to][column]->setFocus(Qt::OtherFocusReason);
                cell[to][column]->selectAll();
            }
            return true;
        }
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

// The row and column of the cell that object is; false for any other object.
bool Form1::cellPlace(const QObject *object, int &row, int &column) const
{
    for (row = 1; row <= 9; ++row)
        for (column = 1; column <= 10; ++column)
            if (cell[row][column] == object)
                return true;
    row = column = 0;
    return false;
}

// Enter in the block goes on like Tab, and from its last cell to the solve
// button, which one more Enter presses: the system can be typed and solved
// without leaving the keys. The buttons are not auto-default, so their Enter
// is handled here. row and column are 0 for anything but a cell.
bool Form1::enterMovesOn(QObject *watched, int row, int column)
{
    if (watched == Command1 || watched == Command2 || watched == Command3) {
        static_cast<QPushButton *>(watched)->click();
        return true;
    }
    if (row < 1 || row > n || column > n + 1)
        return false;
    QWidget *next = Command3;
    if (column <= n)
        next = cell[row][column + 1];
    else if (row < n)
        next = cell[row + 1][1];
    next->setFocus(Qt::TabFocusReason);
    return true;
}

// The arrows in the size options select the option they move to, as in any
// exclusive group. Qt's own move selects only when it starts from the selected
// option, which a screen reader's focus need not be on, and finds nothing
// above or below in a row; here Up goes left and Down right.
bool Form1::arrowSelectsSize(QObject *watched, int key)
{
    for (int k = 1; k <= 8; ++k) {
        if (option[k] != watched)
            continue;
        const int to = key == Qt::Key_Left || key == Qt::Key_Up ? k - 1 : k + 1;
        if (to >= 1 && to <= 8) {
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
    n = 2;
    dveuravnenia();
}

void Form1::Command1_Click()
{
    for (int k = 1; k <= 8; ++k) {
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
        n = static_cast<qint16>(k + 1);
    }
    cell[1][1]->setFocus(Qt::OtherFocusReason);
}

void Form1::Command2_Click()
{
    iz4istitext();
    iz4isticwet();
}

void Form1::iz4istitext()
{
    for (int r = 1; r <= 9; ++r) {
        for (int c = 1; c <= 10; ++c) {
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
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 10; ++c)
            setRole(cell[r][c], QPalette::Base, gridGreen());
    for (int r = 1; r <= 9; ++r)
        setLabelBackground(nameLabel[r], commandsTeal());
    for (int r = 1; r <= 9; ++r)
        setLabelBackground(valueLabel[r], commandsTeal());
}

void Form1::arrange(int size)
{
    // Tab visits the block alone: a number typed into a cell outside it would
    // be ignored by the solve. Those cells can still be clicked into.
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 10; ++c)
            cell[r][c]->setFocusPolicy(r <= size && c <= size + 1 ? Qt::StrongFocus
                                                                  : Qt::ClickFocus);
    for (int r = 1; r <= size; ++r)
        for (int c = 1; c <= size + 1; ++c)
            setRole(cell[r][c], QPalette::Base, entryBackground());
    for (int r = 1; r <= size; ++r)
        for (int c = 1; c <= size; ++c)
            gridLabel[r][c]->setText(c < size ? QStringLiteral(".x%1+").arg(c)
                                              : QStringLiteral(".x%1=").arg(size));
}

void Form1::dveuravnenia()
{
    arrange(2);
}
void Form1::triuravnenia()
{
    arrange(3);
}
void Form1::chetiriuravnenia()
{
    arrange(4);
}
void Form1::peturavnenia()
{
    arrange(5);
}
void Form1::chesturavnenia()
{
    arrange(6);
}
void Form1::sedemuravnenia()
{
    arrange(7);
}
void Form1::osemuravnenia()
{
    arrange(8);
}
void Form1::deveturavnenia()
{
    arrange(9);
}

// --- Solving ------------------------------------------------------------------

// The solver's one driver runs the determinant test, both passes and the
// solution; the window reads the grid for it (masiv) and, after each step,
// shows the matrix (stypka) and holds it on screen with a message.
void Form1::Command3_Click()
{
    const gauss::SolveEnd end = gauss::solve(
        *this, [this] { return masiv(n); },
        [this](const gauss::Step &step) {
            stypka(a, exact.a);
            showStep((step.forward ? QStringLiteral("(ПРАВ ХОД) стъпка:")
                                   : QStringLiteral("(ОБРАТЕН ХОД) стъпка:")) +
                         QString::number(step.nomer),
                     step.ops);
        });
    switch (end.result) {
    case gauss::SolveResult::Solved:
        stypka(a, exact.a);
        rechenie();
        break;
    case gauss::SolveResult::Refused:
        refuseSystem();
        break;
    case gauss::SolveResult::Overflow:
        reportStop(QStringLiteral("Числата станаха твърде големи"), end.step,
                   QStringLiteral("Опитайте с по-малки числа, например като разделите уравнение "
                                  "с много големи коефициенти на общ множител."));
        break;
    case gauss::SolveResult::TooFewDigits:
        reportStop(QStringLiteral("Числата изискват повече от седем значещи цифри"), end.step,
                   QStringLiteral("Системата има единствено решение, но със седем значещи цифри "
                                  "на стъпка то не може да се покаже."));
        break;
    case gauss::SolveResult::BadCell:
        break; // masiv has said which cell
    }
}

bool Form1::masiv(qint16 &n)
{
    int badRow = 0;
    int badColumn = 0;
    const bool read = gauss::readBlock(
        *this, n, [this](int r, int c) { return cell[r][c]->text(); }, &badRow, &badColumn);
    if (read)
        working.setSystem(shownBlock(n));
    else
        reportBadCell(badRow, badColumn);
    return read;
}

void Form1::reportBadCell(int row, int column)
{
    QLineEdit *bad = cell[row][column];
    QString prompt;
    switch (gauss::whyUnreadable(bad->text())) {
    case gauss::Unreadable::TooLarge:
        prompt = QStringLiteral("Числото в клетката на ред %1, колона %2 е твърде голямо.\n"
                                "Най-голямото число, с което програмата смята, е %3.")
                     .arg(row)
                     .arg(column)
                     .arg(gauss::numberText(std::numeric_limits<float>::max()));
        break;
    case gauss::Unreadable::OtherSeparator:
        prompt = QStringLiteral("В клетката на ред %1, колона %2 няма число.\n"
                                "Десетичният знак е „%3“.")
                     .arg(row)
                     .arg(column)
                     .arg(QLocale().decimalPoint());
        break;
    case gauss::Unreadable::TooManyDigits:
        prompt = QStringLiteral("Числото в клетката на ред %1, колона %2 има твърде много цифри "
                                "след десетичния знак.\nПрограмата смята точно с до %3 цифри "
                                "след десетичния знак.")
                     .arg(row)
                     .arg(column)
                     .arg(gauss::MaxExactDecimals);
        break;
    case gauss::Unreadable::NoNumber:
        prompt = QStringLiteral("В клетката на ред %1, колона %2 няма число.").arg(row).arg(column);
        break;
    }
    working.clear();
    working.addReport(prompt.split(u'\n'));
    message(prompt, 48, QStringLiteral("ГРЕШКА:"));
    activateWindow(); // not every window manager hands the focus back after a box
    bad->setFocus(Qt::OtherFocusReason);
    bad->selectAll();
}

// Each cell also learns the exact value of what it now shows, for hovering.
void Form1::stypka(const gauss::Matrix &m, const gauss::ExactMatrix &exactM)
{
    if (n < 2 || n > 9)
        return;
    for (int r = 1; r <= n; ++r) {
        for (int c = 1; c <= n + 1; ++c) {
            cell[r][c]->setText(gauss::numberText(m[r][c]));
            cell[r][c]->setExactValue(exactM[r][c]);
        }
    }
}

void Form1::rechenie()
{
    QStringList names;
    QStringList values;
    for (int r = 1; r <= n; ++r) {
        nameLabel[r]->setText(QStringLiteral("x%1=").arg(r));
        names << nameLabel[r]->text();
    }
    // The labels give the true solution; x keeps the working's own, which the
    // last column of the grid shows and which seven digits a step may spoil.
    QStringList exactValues;
    QStringList differing;
    for (int r = 1; r <= n; ++r) {
        valueLabel[r]->setValue(gauss::decimalText(gauss::roundTo3(exact.x[r])), exact.x[r]);
        values << valueLabel[r]->text();
        exactValues << valueLabel[r]->exactDescription();
        const QString table = gauss::numberText(SolverState::x[r]);
        if (table != values.last())
            differing
                << QStringLiteral("x%1 = %2 (в таблицата: %3)").arg(r).arg(values.last(), table);
    }
    working.setSolution(names, values, exactValues);
    if (differing.isEmpty())
        return;
    const QString why =
        QStringLiteral("Показаното решение е точното; последната колона на таблицата се "
                       "различава от него, защото всяка стъпка пази само седем значещи цифри.");
    working.addReport(QStringList{why} << differing);
    message(why, 48, QStringLiteral("ВНИМАНИЕ!:"), differing.join(u'\n'), differing.join(u'\n'));
}

void Form1::showStep(const QString &prompt, const gauss::RowOps &ops)
{
    const QStringList lines = gauss::rowOpLines(ops);
    const Working::Block shown = shownBlock(n);
    working.addStep(prompt, lines, shown);
    // The box is modal, so a screen reader cannot reach the grid while it is
    // open; the box tells it what the grid shows, row by row, as its texts
    // read. The decimal comma rules out commas between the numbers.
    QStringList spoken;
    for (int r = 0; r < shown.size(); ++r)
        spoken << QStringLiteral("ред %1: %2").arg(r + 1).arg(shown[r].join(QStringLiteral("; ")));
    message(prompt, 48, QStringLiteral("ВНИМАНИЕ!:"), lines.join(u'\n'), spoken.join(u'\n'));
}

void Form1::refuseSystem()
{
    const QString first = QStringLiteral("системата или има безброй решения или няма решение!!!");
    const QString second = QStringLiteral("КОМПЮТЪРА НЕ РЕШАВА ТАКИВА СИСТЕМИ!!! бутон <ИЗЧИСТИ>");
    // Which of the two holds, and the general solution where there is one.
    const QStringList details = gauss::singularDetails(exact.a, n);
    working.addReport(QStringList{first} << details << second);
    message(first, 0, QStringLiteral("РЕШЕНИЕ:"), details.join(u'\n'), details.join(u'\n'));
    message(second, 0, QStringLiteral("РЕШЕНИЕ:"));
}

// A solve that stopped at step, as the solver's driver counts it (1..2n-1 a
// step, 2n the solution): cause, where, what the grid still shows (the last
// step completed, or the system as typed), and advice.
void Form1::reportStop(const QString &cause, int step, const QString &advice)
{
    const QString where = step > 2 * n - 1 ? QStringLiteral("при намирането на решението")
                                           : QStringLiteral("на стъпка %1").arg(step);
    const QString shown =
        step <= 1 ? QStringLiteral("Таблицата показва системата, както е въведена.")
                  : QStringLiteral("Таблицата показва матрицата след стъпка %1.").arg(step - 1);
    const QString report =
        QStringLiteral("%1 и решаването спря %2.\n%3\n%4").arg(cause, where, shown, advice);
    working.addReport(report.split(u'\n'));
    message(report, 48, QStringLiteral("ГРЕШКА:"));
}

// flags as the message boxes of the platform count them: 0 is OK alone, 48 OK
// with the exclamation icon. details are lines of plain text under the prompt;
// spoken goes to assistive technology alone, as the box's description.
void Form1::message(const QString &prompt, int flags, const QString &title, const QString &details,
                    const QString &spoken)
{
    // The rows of the active block stay in sight; with no block, the whole grid.
    const int last = n >= 2 && n <= 9 ? n : 9;
    QRect block;
    for (int c = 1; c <= 10; ++c)
        block |= cell[1][c]->geometry() | cell[last][c]->geometry();
    GridMessageBox box(this, block.translated(Frame1->mapTo(this, QPoint(0, 0))));
    box.setAccessibleDescription(spoken);
    box.setWindowModality(Qt::ApplicationModal);
    box.setWindowTitle(title);
    box.setText(prompt);
    box.setTextFormat(Qt::PlainText);
    if (!details.isEmpty()) {
        box.setInformativeText(details);
        if (auto *label = box.findChild<QLabel *>(QStringLiteral("qt_msgbox_informativelabel")))
            label->setTextFormat(Qt::PlainText); // the box sets it in columns when it must
    }
    box.setIcon(flags == 48 ? QMessageBox::Warning : QMessageBox::NoIcon);
    box.setStandardButtons(QMessageBox::Ok);
    box.setDefaultButton(QMessageBox::Ok);
    box.exec();
}

// --- Clipboard ------------------------------------------------------------------

void Form1::createClipboard()
{
    auto *copy = new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C), this);
    copy->setContext(Qt::WindowShortcut);
    connect(copy, &QShortcut::activated, this, &Form1::copyWorking);

    // The grid's green frame: right-clicks on it and on its captions land here,
    // those on a cell open the cell's own menu.
    Frame1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(Frame1, &QWidget::customContextMenuRequested, this, [this](const QPoint &at) {
        QMenu menu(this);
        QAction *copy = menu.addAction(
            QStringLiteral("Копирай решението\t") +
            QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C).toString(QKeySequence::NativeText));
        connect(copy, &QAction::triggered, this, &Form1::copyWorking);
        QAction *paste = menu.addAction(QStringLiteral("Постави система"));
        connect(paste, &QAction::triggered, this, [this] {
            cell[1][1]->setFocus(Qt::OtherFocusReason);
            cell[1][1]->selectAll();
            pasteIntoGrid(1, 1);
        });
        paste->setEnabled(!QApplication::clipboard()->text().isEmpty());
        menu.exec(Frame1->mapToGlobal(at));
    });
}

// Pastes into the cells take the clipboard through pasteIntoGrid, whether by
// the keys or by the cell's menu; the rest of that menu stays as it is.
bool Form1::cellClipboardEvent(int row, int column, QEvent *event)
{
    switch (event->type()) {
    case QEvent::ShortcutOverride:
        // The paste keys belong to the cell, whatever the window's shortcuts.
        if (static_cast<QKeyEvent *>(event)->matches(QKeySequence::Paste)) {
            event->accept();
            return true;
        }
        return false;
    case QEvent::KeyPress:
        return static_cast<QKeyEvent *>(event)->matches(QKeySequence::Paste) &&
               pasteIntoGrid(row, column);
    case QEvent::ContextMenu: {
        QLineEdit *box = cell[row][column];
        QMenu *menu = box->createStandardContextMenu();
        for (QAction *action : menu->actions()) {
            // Qt connects its menu by the slot's name, so only that name finds it.
            const bool paste = disconnect(action, SIGNAL(triggered()), box, SLOT(paste())) ||
                               disconnect(action, &QAction::triggered, box, &QLineEdit::paste);
            if (paste)
                connect(action, &QAction::triggered, this, [this, box, row, column] {
                    if (!pasteIntoGrid(row, column))
                        box->paste();
                });
        }
        menu->exec(static_cast<QContextMenuEvent *>(event)->globalPos());
        delete menu;
        return true;
    }
    default:
        return false;
    }
}

// Fills the grid from the clipboard's text, from the cell at row, column on.
// A single entry goes into the cell as a line edit pastes it, without the line
// end a spreadsheet adds; no entry at all is left to the line edit (false).
bool Form1::pasteIntoGrid(int row, int column)
{
    const QList<QStringList> rows = gauss::systemRows(QApplication::clipboard()->text());
    const int entries = gauss::entryCount(rows);
    if (entries == 0)
        return false;
    if (entries == 1) {
        for (const QStringList &entry : rows)
            if (!entry.isEmpty())
                cell[row][column]->insert(entry.first());
        return true;
    }
    // A whole system into the top left cell arranges its size first, as the
    // arrange button does, unless that size is arranged and still shown: the
    // clear button leaves n but removes the captions, so they tell.
    const int size = row == 1 && column == 1 ? gauss::systemSize(rows) : 0;
    if (size) {
        option[size - 1]->setChecked(true);
        const bool arranged =
            n == size && gridLabel[1][size]->text() == QStringLiteral(".x%1=").arg(size);
        if (!arranged)
            Command1_Click();
    }
    for (int r = 0; r < rows.size() && row + r <= 9; ++r)
        for (int c = 0; c < rows[r].size() && column + c <= 10; ++c)
            cell[row + r][column + c]->setText(rows[r][c]);
    return true;
}

// The working of the last solve; before any, the system as the grid shows it.
// The working of the last solve; before any, the system as the grid shows it.
void Form1::copyWorking()
{
    if (!working.isEmpty()) {
        QApplication::clipboard()->setMimeData(working.mimeData());
        return;
    }
    Working typed;
    typed.setSystem(shownBlock(n));
    QApplication::clipboard()->setMimeData(typed.mimeData());
}

Working::Block Form1::shownBlock(int size) const
{
    Working::Block rows;
    for (int r = 1; r <= size && r <= 9; ++r) {
        QStringList row;
        for (int c = 1; c <= size + 1; ++c)
            row << cell[r][c]->text();
        rows << row;
    }
    return rows;
}
