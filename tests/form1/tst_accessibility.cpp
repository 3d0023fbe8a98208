// What a screen reader hears: every control's accessible name, in Bulgarian,
// the solution's values, the matrix behind each step box, and Qt's own words.

#include "form1.h"
#include "qttranslation.h"
#include "windowdriver.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRegularExpression>
#include <QTest>
#include <memory>

namespace
{

QString accessibleText(QWidget *widget, QAccessible::Text which)
{
    QAccessibleInterface *face = QAccessible::queryAccessibleInterface(widget);
    return face ? face->text(which) : QString();
}
QString accessibleName(QWidget *widget)
{
    return accessibleText(widget, QAccessible::Name);
}

} // namespace

class TestAccessibility : public QObject
{
    Q_OBJECT

private slots:
    void init() { window = new Form1; }
    void cleanup() { delete window; }

    void names_data();
    void names();
    void everyCellByRowAndColumn();
    void everyControlIsNamed();
    void solvingIsHeard();
    void qtWordsAreBulgarian();

private:
    Form1 *window = nullptr;
};

void TestAccessibility::names_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("name");
    for (int k = 1; k <= 8; ++k)
        QTest::newRow(qPrintable(QStringLiteral("Option%1").arg(k)))
            << QStringLiteral("Option%1").arg(k) << QStringLiteral("%1 уравнения").arg(k + 1);
    QTest::newRow("Command1") << "Command1" << QStringLiteral("ВЪВЕДИ  СИСТЕМАТА");
    QTest::newRow("Command2") << "Command2" << QStringLiteral("ИЗЧИСТИ");
    QTest::newRow("Command3") << "Command3" << QStringLiteral("РЕШИ СИСТЕМАТА");
    for (int r = 1; r <= 9; ++r)
        QTest::newRow(qPrintable(QStringLiteral("Label%1, empty").arg(10 * r)))
            << QStringLiteral("Label%1").arg(10 * r) << QString();
    QTest::newRow("Frame2") << "Frame2"
                            << QStringLiteral("ИЗБЕРИ БРОЙ НА УРАВНЕНИЯТА /НЕИЗВЕСТНИТЕ/");
    QTest::newRow("Label100") << "Label100" << QStringLiteral("РЕШЕНИЕ");
    QTest::newRow("List1") << "List1" << QStringLiteral("обяснение на метода");
}

void TestAccessibility::names()
{
    QFETCH(QString, control);
    QFETCH(QString, name);
    auto *widget = window->findChild<QWidget *>(control);
    QVERIFY(widget);
    QCOMPARE(accessibleName(widget), name);
}

void TestAccessibility::everyCellByRowAndColumn()
{
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 10; ++c)
            QCOMPARE(accessibleName(cellOf(window, r, c)),
                     QStringLiteral("ред %1, колона %2").arg(r).arg(c));
}

// Labels that show nothing at the moment have nothing to say; every other
// control has a name, whatever the arrangement.
void TestAccessibility::everyControlIsNamed()
{
    arrangeFor(window, 9);
    typeSystem(window, {{"1"}});
    for (QWidget *widget : window->findChildren<QWidget *>()) {
        if (widget->objectName().isEmpty() || widget->objectName().startsWith(QLatin1String("qt_")))
            continue; // the parts Qt builds inside its own widgets
        if (auto *label = qobject_cast<QLabel *>(widget); label && label->text().isEmpty() &&
                                                          label->pixmap().isNull() &&
                                                          label->accessibleName().isEmpty())
            continue;
        QVERIFY2(!accessibleName(widget).isEmpty(), qPrintable(widget->objectName()));
    }
}

// The step boxes are modal, so the grid cannot be reached while one is open:
// each tells the matrix it stands for. The values say which unknown they are.
void TestAccessibility::solvingIsHeard()
{
    QLocale::setDefault(QLocale::c());
    typeSystem(window, {{"1", "1", "3"}, {"1", "-1", "1"}});
    QStringList heard;
    MessageAnswerer answerer(window);
    answerer.inspect = [&heard](const SeenMessage &) {
        heard << accessibleText(QApplication::activeModalWidget(), QAccessible::Description);
    };
    click(window, "Command3");
    QCOMPARE(heard, QStringList({QStringLiteral("ред 1: 1; 1; 3\nред 2: 0; -2; -2"),
                                 QStringLiteral("ред 1: 1; 1; 3\nред 2: 0; 1; 1"),
                                 QStringLiteral("ред 1: 1; 0; 2\nред 2: 0; 1; 1")}));
    QCOMPARE(accessibleName(labelOf(window, 10)), QStringLiteral("x1 = 2"));
    QCOMPARE(accessibleName(labelOf(window, 20)), QStringLiteral("x2 = 1"));
    QCOMPARE(accessibleName(labelOf(window, 30)), QString());
    click(window, "Command2");
    QCOMPARE(accessibleName(labelOf(window, 10)), QString());
}

// The cells' context menu in Bulgarian; the message boxes keep their "OK".
void TestAccessibility::qtWordsAreBulgarian()
{
    if (!installBulgarianQtTexts())
        QSKIP("Qt's Bulgarian translation (qt6-translations-l10n) is not installed");
    std::unique_ptr<QMenu> menu(cellOf(window, 1, 1)->createStandardContextMenu());
    QStringList words;
    for (const QAction *action : menu->actions())
        if (!action->isSeparator())
            words << action->text().section(u'\t', 0, 0);
    QVERIFY(words.size() >= 6);
    for (const QString &word : words)
        QVERIFY2(!word.contains(QRegularExpression(QStringLiteral("[A-Za-z]"))), qPrintable(word));
    QMessageBox box;
    box.setStandardButtons(QMessageBox::Ok);
    QCOMPARE(box.button(QMessageBox::Ok)->text(), QStringLiteral("OK"));
}

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
