#include "form1ui.h"

#include "controls.h"
#include "explanation.h"
#include "fonts.h"
#include "solutionarea.h"
#include "windowkeys.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

using namespace controls;

void Form1Ui::setupUi(QWidget *window, const GridCell::Grid &grid)
{
    form = window;
    keys = new WindowKeys(form);
    createFrames();
    createOptions();
    createGrid(grid);
    createCommands();
    createSolutionArea();
    createExplanation();
    setFocusOrder();
}

void Form1Ui::createFrames()
{
    auto frame = [this](const char *name, const QRect &place, const QColor &colour) {
        return colouredFrame(form, name, place, colour, captionBlack());
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

void Form1Ui::createOptions()
{
    options = new QButtonGroup(form);
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

void Form1Ui::createGrid(const GridCell::Grid &grid)
{
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

void Form1Ui::createCommands()
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
    for (QLabel *image : {Image1, Image2})
        drawPicture(image, 1);
}

void Form1Ui::createSolutionArea()
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

void Form1Ui::createExplanation()
{
    List1 = new QListWidget(Frame3);
    List1->setObjectName(QStringLiteral("List1"));
    List1->setGeometry(twips(7080, 240, 4695, 3180));
    List1->setFont(windowFont(QStringLiteral("Arial"), 9.75));
    List1->setAccessibleName(QStringLiteral("обяснение на метода"));
    List1->addItems(explanationLines());
}

void Form1Ui::setFocusOrder()
{
    QList<QWidget *> order;
    for (int r = 1; r <= GridRows; ++r)
        for (int c = 1; c <= GridColumns; ++c)
            order << cell[r][c];
    for (int k = 1; k <= Options; ++k)
        order << option[k];
    order << Command1 << Command2 << List1 << Command3;
    for (int i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);

    for (QWidget *w : {static_cast<QWidget *>(Frame1), static_cast<QWidget *>(Frame2),
                       static_cast<QWidget *>(Frame3)})
        w->setFocusPolicy(Qt::NoFocus);
    cell[1][1]->setFocus();
}
