// What a screen reader hears: every control's accessible name, in Bulgarian.

#include "form1.h"
#include "windowdriver.h"

#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

namespace
{

QString accessibleName(QWidget *widget)
{
    QAccessibleInterface *face = QAccessible::queryAccessibleInterface(widget);
    return face ? face->text(QAccessible::Name) : QString();
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
        QTest::newRow(qPrintable(QStringLiteral("Label%1").arg(10 * r)))
            << QStringLiteral("Label%1").arg(10 * r) << QStringLiteral("x%1").arg(r);
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

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
