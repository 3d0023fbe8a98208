#include "windowdriver.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryFile>
#include <QTest>
#include <QTimer>
#include <QWindow>

namespace
{

// A control the window lacks fails the test in every build; a pointer the
// caller needs cannot be made up, so the run stops there.
template <class Control> Control *found(Control *control, const QString &name)
{
    if (!control) {
        QTest::qFail(qPrintable(QStringLiteral("the window has no %1").arg(name)), __FILE__,
                     __LINE__);
        qFatal("the window has no %s", qPrintable(name));
    }
    return control;
}

} // namespace

// A box places itself as it is shown and again once it is framed, so it is
// read when it is on the screen, and answered from its own event loop: the
// queued call runs after whatever placed it.
bool MessageAnswerer::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Show) {
        if (auto *box = qobject_cast<QMessageBox *>(watched))
            showing = box;
    } else if (event->type() == QEvent::Expose && showing && watched == showing->windowHandle()) {
        QMetaObject::invokeMethod(
            this, [this, box = showing] { answer(box); }, Qt::QueuedConnection);
        showing = nullptr;
    }
    return false;
}

void MessageAnswerer::answer(QMessageBox *box)
{
    if (!box || !box->isVisible())
        return;
    SeenMessage m;
    m.title = box->windowTitle();
    m.text = box->text();
    m.informative = box->informativeText();
    m.description = box->accessibleDescription();
    m.icon = box->icon();
    m.buttons = box->buttons().size();
    m.applicationModal = box->windowModality() == Qt::ApplicationModal;
    m.grid = gridTexts(window);
    m.values = valueTexts(window);
    m.frame = box->frameGeometry();
    // The details are cut where their label has less room than its text needs.
    for (const QLabel *label : box->findChildren<QLabel *>()) {
        if (label->text() != m.informative || m.informative.isEmpty() || !label->isVisible())
            continue;
        m.detailsCut = label->wordWrap() ? label->height() < label->heightForWidth(label->width())
                                         : label->width() < label->sizeHint().width();
        m.detailsTip = label->toolTip();
        m.detailsSpoken = label->accessibleDescription();
    }
    if (inspect)
        inspect(m);
    seen << m;
    if (QAbstractButton *ok = box->button(QMessageBox::Ok))
        ok->click();
    else
        box->reject();
}

void useOffscreenScreens(const QList<QSize> &sizes)
{
    static QTemporaryFile screens;
    if (qgetenv("QT_QPA_PLATFORM") != "offscreen" || !screens.open())
        return;
    QStringList entries;
    int x = 0;
    for (const QSize &size : sizes) {
        entries << QStringLiteral(R"({"name": "s%1", "x": %2, "y": 0, "width": %3, "height": %4})")
                       .arg(entries.size())
                       .arg(x)
                       .arg(size.width())
                       .arg(size.height());
        x += size.width();
    }
    screens.write(QStringLiteral(R"({"screens": [%1]})").arg(entries.join(", ")).toUtf8());
    screens.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(screens.fileName()));
}

QLineEdit *cellOf(QWidget *window, int row, int column)
{
    const QString name = QStringLiteral("Text%1").arg(10 * row + column);
    return found(window->findChild<QLineEdit *>(name), name);
}

QLabel *labelOf(QWidget *window, int number)
{
    const QString name = QStringLiteral("Label%1").arg(number);
    return found(window->findChild<QLabel *>(name), name);
}

QStringList gridTexts(QWidget *window)
{
    QStringList texts;
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 10; ++c)
            texts << cellOf(window, r, c)->text();
    return texts;
}

QStringList valueTexts(QWidget *window)
{
    QStringList texts;
    for (int r = 1; r <= 9; ++r)
        texts << labelOf(window, 10 * r)->text();
    return texts;
}

void typeSystem(QWidget *window, const QList<QStringList> &rows)
{
    for (int r = 0; r < rows.size(); ++r)
        for (int c = 0; c < rows[r].size(); ++c)
            cellOf(window, r + 1, c + 1)->setText(rows[r][c]);
}

void click(QWidget *window, const char *button)
{
    found(window->findChild<QAbstractButton *>(QLatin1String(button)), QLatin1String(button))
        ->click();
}

void arrangeFor(QWidget *window, int n)
{
    const QString name = QStringLiteral("Option%1").arg(n - 1);
    found(window->findChild<QRadioButton *>(name), name)->setChecked(true);
    click(window, "Command1");
}

void arrangeShape(QWidget *window, int rows, int unknowns)
{
    auto *poll = new QTimer(window);
    QObject::connect(poll, &QTimer::timeout, window, [poll, rows, unknowns] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return;
        poll->deleteLater();
        auto *equations = dialog->findChild<QSpinBox *>(QStringLiteral("equations"));
        auto *columns = dialog->findChild<QSpinBox *>(QStringLiteral("unknowns"));
        if (!equations || dialog->focusWidget() != equations || !columns) {
            dialog->reject(); // the test then fails on the shape not arranged
            return;
        }
        equations->setValue(rows);
        columns->setValue(unknowns);
        QTest::keyClick(dialog, Qt::Key_Return);
    });
    poll->start(10);
    QTest::keyClick(window, Qt::Key_M, Qt::ControlModifier);
    // The offscreen platform has no window manager to hand the keys back.
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
}

QList<QStringList> blockTexts(QWidget *window, int n)
{
    const QStringList grid = gridTexts(window);
    QList<QStringList> rows;
    for (int r = 0; r < n; ++r)
        rows << grid.mid(10 * r, n + 1);
    return rows;
}

// Each input dialog that opens is answered with text, until the timer goes.
QTimer *answerInputs(QWidget *window, const QString &text)
{
    auto *poll = new QTimer(window);
    QObject::connect(poll, &QTimer::timeout, window, [text] {
        if (auto *dialog = qobject_cast<QInputDialog *>(QApplication::activeModalWidget())) {
            dialog->setTextValue(text);
            dialog->accept();
        }
    });
    poll->start(10);
    return poll;
}
