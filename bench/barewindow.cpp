// The yardstick: a bare window with as many plain widgets of the same kinds as
// the program's window, built the same way, without fonts, colours, texts or
// pictures.

#include "shown.h"

#include <QApplication>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

class BareWindow : public QWidget
{
public:
    BareWindow()
    {
        setFixedSize(819, 587);
        QGroupBox *frames[3];
        for (int f = 0; f < 3; ++f) {
            frames[f] = new QGroupBox(this);
            frames[f]->setGeometry(0, 200 * f, 819, 200);
        }
        for (int k = 0; k < 8; ++k)
            (new QRadioButton(frames[0]))->setGeometry(96 + 80 * k, 24, 49, 25);
        for (int r = 0; r < 9; ++r)
            for (int c = 0; c < 10; ++c)
                (new QLineEdit(frames[1]))->setGeometry(16 + 80 * c, 24 * r, 49, 25);
        for (int r = 0; r < 9; ++r)
            for (int c = 0; c < 9; ++c)
                (new QLabel(frames[1]))->setGeometry(64 + 80 * c, 24 * r, 33, 25);
        for (int l = 0; l < 22; ++l) // solution area, its heading, the credit and two pictures
            (new QLabel(frames[2]))->setGeometry(232 + (l % 2) * 40, 8 * l, 33, 25);
        for (int b = 0; b < 3; ++b)
            (new QPushButton(frames[2]))->setGeometry(16, 16 + 48 * b, 185, 33);
        (new QListWidget(frames[2]))->setGeometry(472, 16, 313, 212);
        for (int l = 0; l < 2; ++l)
            (new QFrame(frames[l + 1]))->setGeometry(8 + 216 * l, 16, 3, 200);
    }
};

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    BareWindow window;
    exitWhenShown(window);
}
