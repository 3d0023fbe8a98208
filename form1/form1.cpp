#include "form1.h"

#include "gridcell.h"
#include "gridmessagebox.h"
#include "numbertext.h"
#include "rowoptext.h"

#include <QApplication>
#include <QButtonGroup>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>

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

        auto *value = new QLabel(Frame3);
        value->setObjectName(QStringLiteral("Label%1").arg(10 * r));
        value->setGeometry(twips(3960, 720 + 360 * (r - 1), 1215, 375));
        value->setFont(sansSerif(12));
        setRole(value, QPalette::WindowText, valueBlue());
        value->setAccessibleName(QStringLiteral("x%1").arg(r));
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

// Up and Down step through the grid's rows, as in a spreadsheet; a one-line
// text box has no use for them. The cell entered selects its text, as Tab
// does, so that typing replaces it. Left and Right keep moving the cursor.
bool Form1::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const auto *key = static_cast<QKeyEvent *>(event);
    const bool up = key->key() == Qt::Key_Up;
    if ((!up && key->key() != Qt::Key_Down) || (key->modifiers() & ~Qt::KeypadModifier))
        return QWidget::eventFilter(watched, event);
    for (int r = 1; r <= 9; ++r) {
        for (int c = 1; c <= 10; ++c) {
            if (cell[r][c] != watched)
                continue;
            const int to = up ? r - 1 : r + 1;
            if (to >= 1 && to <= 9) {
                cell[to][c]->setFocus(Qt::OtherFocusReason);
                cell[to][c]->selectAll();
            }
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
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
}

void Form1::Command2_Click()
{
    iz4istitext();
    iz4isticwet();
}

void Form1::iz4istitext()
{
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 10; ++c)
            cell[r][c]->setText(QString());
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

void Form1::Command3_Click()
{
    if (!masiv(n))
        return;
    if (!determinanta(adet))
        return;
    if (det == 0) {
        refuseSystem();
        return;
    }

    int nomer = 0;
    gauss::RowOps ops;
    for (k = 1; k <= n; ++k) {
        ops.clear();
        const gauss::Outcome outcome = gauss::forwardStep(*this, k, &ops);
        if (outcome == gauss::Outcome::NoPivot) {
            refuseSystem();
            return;
        }
        if (outcome == gauss::Outcome::Overflow) {
            reportOverflow();
            return;
        }
        stypka(a);
        ++nomer;
        showStep(QStringLiteral("(ПРАВ ХОД) стъпка:") + QString::number(nomer), ops);
    }
    for (k = n; k >= 2; --k) {
        ops.clear();
        if (gauss::backwardStep(*this, k, &ops) != gauss::Outcome::Ok) {
            reportOverflow();
            return;
        }
        stypka(a);
        ++nomer;
        showStep(QStringLiteral("(ОБРАТЕН ХОД) стъпка:") + QString::number(nomer), ops);
    }
    stypka(a);
    rechenie();
}

bool Form1::masiv(qint16 &n)
{
    int badRow = 0;
    int badColumn = 0;
    const bool read = gauss::readBlock(
        *this, n, [this](int r, int c) { return cell[r][c]->text(); }, &badRow, &badColumn);
    if (!read) {
        message(QStringLiteral("В клетката на ред %1, колона %2 няма число.")
                    .arg(badRow)
                    .arg(badColumn),
                48, QStringLiteral("ГРЕШКА:"));
        QLineEdit *bad = cell[badRow][badColumn];
        activateWindow(); // not every window manager hands the focus back after a box
        bad->setFocus(Qt::OtherFocusReason);
        bad->selectAll();
    }
    return read;
}

bool Form1::determinanta(gauss::Matrix &m)
{
    if (gauss::determinanta(*this, m) != gauss::Outcome::Ok) {
        reportOverflow();
        return false;
    }
    return true;
}

void Form1::stypka(const gauss::Matrix &m)
{
    if (n < 2 || n > 9)
        return;
    for (int r = 1; r <= n; ++r)
        for (int c = 1; c <= n + 1; ++c)
            cell[r][c]->setText(gauss::numberText(m[r][c]));
}

bool Form1::rechenie()
{
    if (gauss::solution(*this) != gauss::Outcome::Ok) {
        reportOverflow();
        return false;
    }
    for (int r = 1; r <= n; ++r)
        nameLabel[r]->setText(QStringLiteral("x%1=").arg(r));
    for (int r = 1; r <= n; ++r)
        valueLabel[r]->setText(gauss::numberText(SolverState::x[r]));
    return true;
}

void Form1::showStep(const QString &prompt, const gauss::RowOps &ops)
{
    message(prompt, 48, QStringLiteral("ВНИМАНИЕ!:"), gauss::rowOpLines(ops).join(u'\n'));
}

void Form1::refuseSystem()
{
    message(QStringLiteral("системата или има безброй решения или няма решение!!!"), 0,
            QStringLiteral("РЕШЕНИЕ:"));
    message(QStringLiteral("КОМПЮТЪРА НЕ РЕШАВА ТАКИВА СИСТЕМИ!!! бутон <ИЗЧИСТИ>"), 0,
            QStringLiteral("РЕШЕНИЕ:"));
}

void Form1::reportOverflow()
{
    message(QStringLiteral("Препълване: числата излизат извън обхвата на единичната точност."), 48,
            QStringLiteral("ГРЕШКА:"));
}

// flags as the message boxes of the platform count them: 0 is OK alone, 48 OK
// with the exclamation icon.
void Form1::message(const QString &prompt, int flags, const QString &title, const QString &details,
                    Qt::TextFormat detailsFormat)
{
    // The rows of the active block stay in sight; with no block, the whole grid.
    const int last = n >= 2 && n <= 9 ? n : 9;
    QRect block;
    for (int c = 1; c <= 10; ++c)
        block |= cell[1][c]->geometry() | cell[last][c]->geometry();
    GridMessageBox box(this, block.translated(Frame1->mapTo(this, QPoint(0, 0))));
    box.setWindowModality(Qt::ApplicationModal);
    box.setWindowTitle(title);
    box.setText(prompt);
    box.setTextFormat(Qt::PlainText);
    if (!details.isEmpty()) {
        box.setInformativeText(details);
        if (auto *label = box.findChild<QLabel *>(QStringLiteral("qt_msgbox_informativelabel")))
            label->setTextFormat(detailsFormat);
    }
    box.setIcon(flags == 48 ? QMessageBox::Warning : QMessageBox::NoIcon);
    box.setStandardButtons(QMessageBox::Ok);
    box.setDefaultButton(QMessageBox::Ok);
    box.exec();
}
