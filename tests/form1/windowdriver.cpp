#include "windowdriver.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryFile>
#include <QWindow>

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
    auto *cell = window->findChild<QLineEdit *>(QStringLiteral("Text%1").arg(10 * row + column));
    Q_ASSERT(cell);
    return cell;
}

QLabel *labelOf(QWidget *window, int number)
{
    auto *label = window->findChild<QLabel *>(QStringLiteral("Label%1").arg(number));
    Q_ASSERT(label);
    return label;
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
    auto *b = window->findChild<QAbstractButton *>(QLatin1String(button));
    Q_ASSERT(b);
    b->click();
}

void arrangeFor(QWidget *window, int n)
{
    auto *option = window->findChild<QRadioButton *>(QStringLiteral("Option%1").arg(n - 1));
    Q_ASSERT(option);
    option->setChecked(true);
    click(window, "Command1");
}

QList<QStringList> blockTexts(QWidget *window, int n)
{
    const QStringList grid = gridTexts(window);
    QList<QStringList> rows;
    for (int r = 0; r < n; ++r)
        rows << grid.mid(10 * r, n + 1);
    return rows;
}
