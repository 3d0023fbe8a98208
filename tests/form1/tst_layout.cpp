// The window against its drawing: every control's name, kind, place, text,
// font and colour, the explanation's lines, and the focus order.

#include "announcer.h"
#include "form1.h"
#include "startup.h"
#include "windowdriver.h"

#include <QAccessible>
#include <QApplication>
#include <QContextMenuEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QStyle>
#include <QTest>
#include <QTimer>

namespace
{
QRect twips(int left, int top, int width, int height)
{
    return QRect(left / 15, top / 15, width / 15, height / 15);
}

// A control's pixels in a picture of the window: all of them, or those of a part.
QList<QColor> pixels(QWidget *window, const QImage &image, const char *name, QRect part = {})
{
    auto *w = window->findChild<QWidget *>(QLatin1String(name));
    part = part.isNull() ? w->rect() : part;
    QList<QColor> found;
    for (int y = part.top(); y <= part.bottom(); ++y)
        for (int x = part.left(); x <= part.right(); ++x)
            found << image.pixelColor(w->mapTo(window, QPoint(x, y)) * image.devicePixelRatio());
    return found;
}

// The grid's menu as a right-click opens it: each entry by its words, as
// "disabled: " and its tooltip, or nothing.
QHash<QString, QString> gridMenu(QWidget *window)
{
    QHash<QString, QString> entries;
    QTimer::singleShot(0, [&entries] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        QVERIFY(menu);
        for (QAction *action : menu->actions())
            entries.insert(action->text().section(u'\t', 0, 0),
                           action->isEnabled() ? QString() : "disabled: " + action->toolTip());
        menu->close();
    });
    auto *grid = window->findChild<QWidget *>("Frame1");
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(5, 5),
                            grid->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(grid, &click);
    window->activateWindow(); // as the menu found it
    return QTest::qWaitForWindowActive(window) ? entries : QHash<QString, QString>();
}

QString said(QWidget *window)
{
    return window->findChild<Announcer *>()->sentence();
}
} // namespace

class TestLayout : public QObject
{
    Q_OBJECT

public:
    static void initMain();

private slots:
    void initTestCase() { prepareApplication(); }
    void init() { window = new Form1; }
    void cleanup() { delete window; }

    void window_();
    void controls_data();
    void controls();
    void colours();
    void drawnColours();
    void darkDesktop();
    void fonts();
    void explanation();
    void focusOrder_data();
    void focusOrder();
    void zoom_data();
    void zoom();
    void fullScreen_data();
    void fullScreen();

private:
    Form1 *window = nullptr;
};

void TestLayout::window_()
{
    QCOMPARE(window->objectName(), QStringLiteral("Form1"));
    QCOMPARE(window->windowTitle(), QStringLiteral("системи линейни уравнения - метод на ГАУС"));
    QCOMPARE(window->size(), twips(0, 0, 12285, 8805).size());
    QCOMPARE(window->minimumSize(), window->maximumSize());
}

// Places in twips, 15 to the pixel, as drawn, where a wrong rule would show:
// the ends of rows and columns, the tenth column, the tall cell's neighbours.
void TestLayout::controls_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("parent");
    QTest::addColumn<QRect>("place");
    QTest::addColumn<QString>("text");

    const std::tuple<const char *, const char *, const char *, QRect, const char *> rows[] = {
        {"Frame2", "QGroupBox", "Form1", twips(0, 0, 12255, 855),
         "ИЗБЕРИ БРОЙ НА УРАВНЕНИЯТА /НЕИЗВЕСТНИТЕ/"},
        {"Frame1", "QGroupBox", "Form1", twips(0, 840, 12255, 3735), ""},
        {"Frame3", "QGroupBox", "Form1", twips(0, 4560, 12255, 4215), ""},
        {"Option1", "QRadioButton", "Frame2", twips(1440, 360, 735, 375), "2"},
        {"Option8", "QRadioButton", "Frame2", twips(9840, 360, 735, 375), "9"},
        // Start-up empties the cells; the arrangement checks their texts.
        {"Text11", "GridCell", "Frame1", twips(240, 360, 735, 405), ""},
        {"Text20", "GridCell", "Frame1", twips(11040, 360, 735, 405), ""},
        {"Text75", "GridCell", "Frame1", twips(5040, 2520, 735, 375), ""},
        {"Text76", "GridCell", "Frame1", twips(6240, 2520, 735, 405), ""},
        {"Text86", "GridCell", "Frame1", twips(6240, 2880, 735, 375), ""},
        {"Text100", "GridCell", "Frame1", twips(11040, 3240, 735, 375), ""},
        {"Label11", "QLabel", "Frame1", twips(960, 360, 495, 375), ".x1+"},
        {"Label22", "QLabel", "Frame1", twips(2160, 720, 495, 375), ".x2="},
        {"Label99", "QLabel", "Frame1", twips(10560, 3240, 495, 375), ""},
        {"Label1", "QLabel", "Frame3", twips(3480, 720, 495, 375), ""},
        {"Label9", "QLabel", "Frame3", twips(3480, 3600, 495, 375), ""},
        {"Label10", "ValueLabel", "Frame3", twips(3960, 720, 1215, 375), ""},
        {"Label90", "ValueLabel", "Frame3", twips(3960, 3600, 1215, 375), ""},
        {"Command1", "QPushButton", "Frame3", twips(240, 240, 2775, 495), "ВЪВЕДИ  СИСТЕМАТА"},
        {"Command3", "QPushButton", "Frame3", twips(240, 960, 2775, 495), "РЕШИ СИСТЕМАТА"},
        {"Command2", "QPushButton", "Frame3", twips(240, 1680, 2775, 495), "ИЗЧИСТИ"},
        {"Image1", "QLabel", "Frame3", twips(240, 2280, 2775, 1605), ""},
        {"Image2", "QLabel", "Frame3", twips(5400, 840, 1650, 1920), ""},
        {"Label100", "QLabel", "Frame3", twips(3480, 240, 1335, 375), "РЕШЕНИЕ"},
        {"List1", "QListWidget", "Frame3", twips(7080, 240, 4695, 3180), ""},
        {"Label101", "QLabel", "Frame3", twips(8760, 3720, 2895, 375), "*"}};
    for (const auto &[name, kind, parent, place, text] : rows)
        QTest::newRow(name) << QString(name) << QString(kind) << QString(parent) << place
                            << QString(text);
}

void TestLayout::controls()
{
    QFETCH(QString, name);
    QFETCH(QString, kind);
    QFETCH(QString, parent);
    QFETCH(QRect, place);
    QFETCH(QString, text);

    const QList<QWidget *> found = window->findChildren<QWidget *>(name);
    QCOMPARE(found.size(), 1);
    QWidget *w = found.first();
    QCOMPARE(QString::fromLatin1(w->metaObject()->className()), kind);
    QCOMPARE(w->parentWidget()->objectName(), parent);
    QCOMPARE(w->geometry(), place);

    const QString shown = w->property(qobject_cast<QGroupBox *>(w) ? "title" : "text").toString();
    if (text == QLatin1String("*"))
        QVERIFY(!shown.isEmpty());
    else
        QCOMPARE(shown, text);
}

void TestLayout::colours()
{
    auto background = [this](const char *name) {
        auto *w = window->findChild<QWidget *>(QLatin1String(name));
        return w->autoFillBackground() ? w->palette().color(QPalette::Window) : QColor();
    };
    QCOMPARE(background("Frame2"), QColor(255, 255, 0));
    QCOMPARE(background("Frame1"), QColor(0, 192, 0));
    QCOMPARE(background("Frame3"), QColor(0, 128, 128));
    QCOMPARE(background("Label101"), QColor(0, 128, 128));

    for (int r = 1; r <= 9; ++r) {
        for (int c = 1; c <= 10; ++c) {
            QLineEdit *cell = cellOf(window, r, c);
            QCOMPARE(cell->palette().color(QPalette::Text), QColor(255, 0, 0));
            QCOMPARE(cell->alignment() & Qt::AlignHorizontal_Mask,
                     c == 10 ? Qt::AlignLeft : Qt::AlignRight);
        }
        for (int c = 1; c <= 9; ++c)
            QCOMPARE(labelOf(window, 10 * r + c)->palette().color(QPalette::Window),
                     QColor(0, 192, 0));
        QCOMPARE(labelOf(window, 10 * r)->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    }
    QCOMPARE(labelOf(window, 100)->alignment(), Qt::AlignCenter);
    QCOMPARE(labelOf(window, 101)->alignment(), Qt::AlignCenter);

    // The pictures are drawn from the resources, stretched to their controls.
    for (const auto &[name, size] : {std::pair("Image1", QSize(130, 83)), {"Image2", {94, 120}}}) {
        auto *image = window->findChild<QLabel *>(QLatin1String(name));
        QVERIFY(image->hasScaledContents());
        QCOMPARE(image->pixmap().size(), size);
    }
    // The lines end where the drawing says; their thickness is the window's.
    for (const auto &[name, ends] :
         {std::pair("Line1", QLine(120, 240, 120, 3720)), {"Line2", {3360, 720, 3360, 3960}}}) {
        auto *line = window->findChild<QFrame *>(QLatin1String(name));
        QVERIFY(line);
        QCOMPARE(line->frameShape(), QFrame::VLine);
        const QRect r = line->geometry();
        QCOMPARE(QLine(r.center().x(), r.top(), r.center().x(), r.bottom()),
                 QLine(ends.p1() / 15, ends.p2() / 15));
    }
}

// What the screen shows, whatever the style makes of the palette: exact frame
// colours, and the cells outside the block invisible unless they hold text.
void TestLayout::drawnColours()
{
    cellOf(window, 9, 10)->setText(QStringLiteral("-1,5"));
    window->show();
    const QImage image = window->grab().toImage();
    for (const char *name : {"Text34", "Text14", "Text99"})
        for (const QColor &pixel : pixels(window, image, name))
            QCOMPARE(pixel, QColor(0, 192, 0));
    QVERIFY(pixels(window, image, "Text100").contains(QColor(255, 0, 0)));
    QCOMPARE(pixels(window, image, "Text12", {24, 12, 1, 1}).first(),
             QApplication::palette().color(QPalette::Base));
    const QList<std::tuple<const char *, QRect, QColor>> fills = {
        {"Frame2", {2, 45, 1, 1}, {255, 255, 0}},   {"Frame2", {810, 30, 1, 1}, {255, 255, 0}},
        {"Frame1", {4, 4, 1, 1}, {0, 192, 0}},      {"Frame1", {400, 245, 1, 1}, {0, 192, 0}},
        {"Frame3", {215, 10, 1, 1}, {0, 128, 128}}, {"Frame3", {800, 275, 1, 1}, {0, 128, 128}}};
    for (const auto &[frame, point, colour] : fills)
        QCOMPARE(pixels(window, image, frame, point).first(), colour);
}

// Under a dark desktop the texts on the fixed yellow, green and teal stay black,
// and the cells' red numbers stand on white, not on the desktop's dark grey.
void TestLayout::darkDesktop()
{
    delete window;
    const QPalette light = QApplication::palette();
    QPalette dark(QColor(53, 53, 53));
    dark.setColor(QPalette::Base, QColor(61, 61, 61));
    QApplication::setPalette(dark);
    window = new Form1;
    window->show();
    const QImage image = window->grab().toImage();
    QApplication::setPalette(light);
    const std::pair<const char *, QRect> texts[] = {{"Frame2", {0, 0, 90, 20}},
                                                    {"Option1", {22, 0, 27, 25}},
                                                    {"Label11", {}},
                                                    {"Label100", {}},
                                                    {"Label101", {}}};
    QCOMPARE(pixels(window, image, "Text12", {24, 12, 1, 1}).first(), QColor(Qt::white));
    auto black = [](const QColor &pixel) { return pixel.value() < 40; };
    for (const auto &[name, part] : texts) {
        const QList<QColor> seen = pixels(window, image, name, part);
        QVERIFY2(std::any_of(seen.begin(), seen.end(), black), name);
    }
}

void TestLayout::fonts()
{
    auto check = [this](const QString &name, qreal points, bool italic) {
        QWidget *w = name == QLatin1String("Form1") ? window : window->findChild<QWidget *>(name);
        QVERIFY2(w, qPrintable(name));
        const QFont f = w->font();
        QVERIFY2(qFuzzyCompare(f.pointSizeF(), points), qPrintable(name));
        QVERIFY2(f.bold(), qPrintable(name));
        QCOMPARE(f.italic(), italic);
        // Whatever face the desktop supplies, it must draw the Cyrillic texts.
        QVERIFY2(QFontMetrics(f).inFont(QChar(0x0416)), qPrintable(name));
    };
    for (const char *name : {"Form1", "Frame2", "Command1", "Label100", "List1"})
        check(name, 9.75, false);
    check("Label101", 12, true);
    for (int k = 1; k <= 8; ++k)
        check(QStringLiteral("Option%1").arg(k), 12, false);
    for (int number : {11, 19, 20, 55, 76, 100})
        check(QStringLiteral("Text%1").arg(number), 12, false);
    for (int number : {1, 9, 10, 90, 11, 99})
        check(QStringLiteral("Label%1").arg(number), 12, false);
    QVERIFY(window->findChild<QWidget *>("List1")->font().families().contains("Arial"));
    QVERIFY(window->font().families().contains("MS Sans Serif"));
}

void TestLayout::explanation()
{
    auto *list = window->findChild<QListWidget *>("List1");
    QCOMPARE(list->count(), 49);
    QCOMPARE(list->item(0)->text(), QStringLiteral("                      метод на Гаус "));
    QCOMPARE(list->item(6)->text(), QStringLiteral("    I a11.x1+a12.x2+a13.x3+...+a1n.xn=b1"));
    QCOMPARE(list->item(8)->text(),
             QStringLiteral("    I a31.x1+a32.x2+a33.x3+...+a3n.xn=b3        "));
    QCOMPARE(list->item(23)->text(),
             QStringLiteral("    I     0.x1+    1.x2 +a'23.x3+...+a'2n.xn=b'2    "));
    QCOMPARE(list->item(45)->text(), QString());
    QCOMPARE(list->item(48)->text(), QStringLiteral("                     ПРИЯТНА РАБОТА!"));

    // Choosing a line does nothing to the rest of the window.
    const QStringList before = gridTexts(window);
    list->setCurrentRow(10);
    QCOMPARE(gridTexts(window), before);
    QCOMPARE(list->count(), 49);
}

void TestLayout::focusOrder_data()
{
    QTest::addColumn<int>("size");
    QTest::newRow("start-up, 2 equations") << 0;
    QTest::newRow("3 equations") << 3;
    QTest::newRow("9 equations") << 9;
}

void TestLayout::focusOrder()
{
    QFETCH(int, size);
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window));
    if (size)
        arrangeFor(window, size);
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Text11"));

    // One whole round from Text11 back to it: the block's cells alone, and the
    // options are one stop.
    QStringList cycle;
    const int n = size ? size : 2;
    for (int r = 1; r <= n; ++r)
        for (int c = 1; c <= n + 1; ++c)
            cycle << QStringLiteral("Text%1").arg(10 * r + c);
    cycle << "Option1"
          << "Command1"
          << "Command2"
          << "List1"
          << "Command3";
    const QStringList expected = cycle.mid(1) << cycle.first();

    QStringList visited;
    for (int i = 0; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(visited, expected);
}

// A 1920 x 1080 screen, room for the window up to 175 %, and beside it a
// 1024 x 768 projector, where it has none.
void TestLayout::initMain()
{
    useOffscreenScreens({QSize(1920, 1080), QSize(1024, 768)});
}

void TestLayout::zoom_data()
{
    QTest::addColumn<QList<int>>("keys"); // each with Ctrl
    QTest::addColumn<int>("percent");
    QTest::newRow("a step") << QList<int>{Qt::Key_Plus} << 125;
    QTest::newRow("= as +") << QList<int>{Qt::Key_Equal, Qt::Key_Equal} << 150;
    QTest::newRow("no further than the screen") << QList<int>(5, Qt::Key_Plus) << 175;
    QTest::newRow("a step back") << QList<int>{Qt::Key_Plus, Qt::Key_Plus, Qt::Key_Minus} << 125;
    QTest::newRow("back to the start") << QList<int>{Qt::Key_Plus, Qt::Key_0} << 100;
}

// One factor over every place, size and font; the window grows with them.
void TestLayout::zoom()
{
    QFETCH(QList<int>, keys);
    QFETCH(int, percent);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    for (int key : keys)
        QTest::keyClick(window, Qt::Key(key), Qt::ControlModifier);
    const qreal f = percent / 100.0;
    auto zoomed = [f](const QRect &r) {
        return QRect(qRound(r.x() * f), qRound(r.y() * f), qRound(r.width() * f),
                     qRound(r.height() * f));
    };
    QCOMPARE(window->size(), zoomed(twips(0, 0, 12285, 8805)).size());
    for (const auto &[name, place] : {std::pair{"Text20", twips(11040, 360, 735, 405)},
                                      std::pair{"Label90", twips(3960, 3600, 1215, 375)},
                                      std::pair{"Frame3", twips(0, 4560, 12255, 4215)}}) {
        auto *w = window->findChild<QWidget *>(QLatin1String(name));
        QCOMPARE(w->geometry(), zoomed(place));
    }
    QCOMPARE(window->findChild<QWidget *>("Text11")->font().pointSizeF(), 12 * f);
    const auto *option = window->findChild<QWidget *>("Option8");
    QCOMPARE(option->style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, option),
             qRound(QApplication::style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth) * f));
    QAccessibleInterface *told =
        QAccessible::queryAccessibleInterface(window->findChild<QWidget *>("announcer"));
    QCOMPARE(told->role(), QAccessible::Notification);
    QVERIFY(told->text(QAccessible::Name).startsWith(QStringLiteral("Мащаб %1 %").arg(percent)));
}

void TestLayout::fullScreen_data()
{
    QTest::addColumn<int>("screen");
    QTest::addColumn<int>("leaveBy"); // key
    QTest::addColumn<int>("percent");
    QTest::newRow("projector, left by Esc") << 1 << int(Qt::Key_Escape) << 125;
    QTest::newRow("wide screen, left by F11") << 0 << int(Qt::Key_F11) << 184;
}

// Full screen scales the window by the largest factor the screen allows,
// where the steps cannot, its message boxes with it, and leaves every row of
// the block in sight; leaving it restores the window as it was. What cannot
// be done is disabled in the menu, and spoken when asked for, with its reason.
void TestLayout::fullScreen()
{
    QFETCH(int, screen);
    QFETCH(int, leaveBy);
    QFETCH(int, percent);
    QScreen *shown = QGuiApplication::screens().at(screen);
    window->move(shown->geometry().topLeft() + QPoint(30, 20));
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QTest::keyClick(window, Qt::Key_Plus, Qt::ControlModifier);
    const QRect before = window->geometry();
    const int windowed = screen == 1 ? 100 : 125; // the projector has no room for more
    const QString largest = "Мащаб 100 % е най-големият, който се побира на екрана; F11 показва "
                            "прозореца на цял екран.";
    QCOMPARE(said(window), screen == 1 ? largest : "Мащаб 125 %");
    QCOMPARE(gridMenu(window).value("Увеличи"), screen == 1 ? "disabled: " + largest : "");

    QTest::keyClick(window, Qt::Key_F11);
    QTRY_COMPARE(window->geometry(), shown->geometry());
    QCOMPARE(said(window), QStringLiteral("На цял екран, мащаб %1 %").arg(percent));
    QCOMPARE(gridMenu(window).value("Намали"),
             "disabled: На цял екран мащабът следва екрана; F11 или Esc връща прозореца.");
    const qreal f = qMin(shown->size().width() / 819.0, shown->size().height() / 587.0);
    QCOMPARE(window->findChild<QWidget *>("Text11")->font().pointSizeF(), 12 * f);
    QCOMPARE(window->findChild<QLabel *>("Image1")->pixmap().size(), QSize(260, 166));

    arrangeFor(window, 9);
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 10; ++c)
            cellOf(window, r, c)->setText(r == c ? "10" : "1");
    QWidget *last = cellOf(window, 9, 10);
    const QRect block(cellOf(window, 1, 1)->mapToGlobal(QPoint(0, 0)),
                      last->mapToGlobal(last->rect().bottomRight()));
    MessageAnswerer answerer(window);
    answerer.inspect = [&](const SeenMessage &m) {
        QVERIFY2(!m.frame.intersects(block) && shown->geometry().contains(m.frame),
                 qPrintable(m.text));
        QCOMPARE(QApplication::activeModalWidget()->font().pointSizeF(),
                 QApplication::font().pointSizeF() * f);
    };
    click(window, "Command3");
    QCOMPARE(answerer.seen.size(), 17);

    window->activateWindow(); // the last box may have kept the activation
    QVERIFY(QTest::qWaitForWindowActive(window));
    QTest::keyClick(window, Qt::Key(leaveBy));
    QTRY_COMPARE(window->geometry(), before);
    QCOMPARE(said(window), QStringLiteral("Прозорец, мащаб %1 %").arg(windowed));
    QCOMPARE(window->findChild<QWidget *>("Text11")->font().pointSizeF(), 12 * windowed / 100.0);
}

QTEST_MAIN(TestLayout)
#include "tst_layout.moc"
