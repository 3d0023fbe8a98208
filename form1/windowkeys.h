#ifndef GAUSS_WINDOWKEYS_H
#define GAUSS_WINDOWKEYS_H

// The keys of the window's buttons: Enter presses a focused command button,
// and the arrows in the size options select the option they move to.

#include <QList>
#include <QObject>

class QRadioButton;

class WindowKeys : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // Enter presses it: the buttons are not auto-default, so that Enter in a
    // cell moves on instead.
    void watchCommand(QWidget *button);
    // The options in their order, left to right.
    void watchOption(QRadioButton *option);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool arrowSelects(QObject *watched, int key);
    QList<QRadioButton *> options;
};

#endif
