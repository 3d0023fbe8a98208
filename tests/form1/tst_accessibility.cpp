// What a screen reader hears: every control's accessible name, in Bulgarian,
// the solution's values, and Qt's own words.

#include "form1.h"
#include "startup.h"
#include "windowdriver.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QFile>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMenu>
#include <QRegularExpression>
#include <QTest>
#include <memory>

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
    void initTestCase() { prepareApplication(); }
    void init() { window = new Form1; }
    void cleanup() { delete window; }

    void names_data();
    void names();
    void everyControlIsNamed();
    void valuesSayTheirUnknown();
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
    QTest::newRow("Frame2") << "Frame2"
                            << QStringLiteral("ИЗБЕРИ БРОЙ НА УРАВНЕНИЯТА /НЕИЗВЕСТНИТЕ/");
    QTest::newRow("Label100") << "Label100" << QStringLiteral("РЕШЕНИЕ");
    QTest::newRow("List1") << "List1" << QStringLiteral("обяснение на метода");
    // The cells of the two equations arranged at the start by their unknown.
    QTest::newRow("Text22") << "Text22" << QStringLiteral("ред 2, x2");
    QTest::newRow("Text23") << "Text23" << QStringLiteral("ред 2, дясна страна");
    QTest::newRow("Text24") << "Text24" << QStringLiteral("ред 2, колона 4");
    QTest::newRow("Text31") << "Text31" << QStringLiteral("ред 3, колона 1");
}

void TestAccessibility::names()
{
    QFETCH(QString, control);
    QFETCH(QString, name);
    auto *widget = window->findChild<QWidget *>(control);
    QVERIFY(widget);
    QCOMPARE(accessibleName(widget), name);
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

// A value says which unknown it is; an empty one says nothing.
void TestAccessibility::valuesSayTheirUnknown()
{
    QLabel *value = labelOf(window, 20);
    QCOMPARE(accessibleName(value), QString());
    value->setText(QStringLiteral("-0.5"));
    QCOMPARE(accessibleName(value), QStringLiteral("x2 = -0.5"));
}

// The cells' context menu in Bulgarian; the message boxes keep their "OK".
void TestAccessibility::qtWordsAreBulgarian()
{
    if (!QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + "/qtbase_bg.qm"))
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
