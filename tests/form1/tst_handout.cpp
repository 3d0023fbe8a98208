// The working as a handout, read back from the PDF with poppler's tools: its
// text, its A4 or Letter pages, its embedded faces, and every table whole on
// one page and within the margins.

#include "handout.h"

#include <QDate>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(Clipboard)

namespace
{

// The words of a page as pdftotext reads them, the page's size and where it has ink.
struct Page {
    QSizeF size;
    QStringList words;
    QRectF ink;
};

QString run(const QString &tool, const QStringList &arguments)
{
    QProcess process;
    process.start(tool, arguments);
    process.waitForFinished();
    return QString::fromUtf8(process.readAllStandardOutput());
}

QList<Page> pagesOf(const QString &pdf)
{
    static const QRegularExpression tag(
        QStringLiteral("<page width=\"([\\d.]+)\" height=\"([\\d.]+)\"|<word xMin=\"([\\d.]+)\" "
                       "yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">([^<]*)<"));
    QList<Page> pages;
    for (const QRegularExpressionMatch &m :
         tag.globalMatch(run("pdftotext", {"-bbox", pdf, "-"}))) {
        if (!m.captured(1).isEmpty()) {
            pages << Page{QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble()), {}, QRectF()};
            continue;
        }
        pages.last().words << m.captured(7).replace("&lt;", "<").replace("&gt;", ">");
        pages.last().ink |= QRectF(QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()),
                                   QPointF(m.captured(5).toDouble(), m.captured(6).toDouble()));
    }
    return pages;
}

// Nine equations at their widest: every number as long as a number text
// gets, each cell its own so that the page it stands on can be told, and
// every exchange a forward step can make.
Clipboard widestNine()
{
    const auto matrix = [](int step) {
        Clipboard::Block rows;
        for (int r = 0; r < 9; ++r) {
            QStringList row;
            for (int c = 0; c < 10; ++c)
                row << QStringLiteral("-1.%1%2%3").arg(step, 2, 10, QChar('0')).arg(r).arg(c) +
                           QStringLiteral("68E+07");
            rows << row;
        }
        return rows;
    };
    Clipboard working;
    working.setSystem(matrix(0));
    for (int s = 1; s <= 17; ++s) {
        const int pivot = s <= 9 ? s : 19 - s;
        QStringList operations;
        for (int r = pivot + 1; s <= 9 && r <= 9; ++r)
            operations << QStringLiteral("ред %1 ↔ ред %2").arg(pivot).arg(r);
        if (s <= 9)
            operations << QStringLiteral("ред %1 = ред %1 : (-1.234568E+07)").arg(pivot);
        for (int r = 1; r <= 9; ++r)
            if (s <= 9 ? r > pivot : r < pivot)
                operations << QStringLiteral("ред %1 = ред %1 − (-1.234568E+07) · ред %2")
                                  .arg(r)
                                  .arg(pivot);
        working.addStep(
            QStringLiteral("(%1 ХОД) стъпка:%2").arg(s <= 9 ? "ПРАВ" : "ОБРАТЕН").arg(s),
            operations, matrix(s));
    }
    working.setSolution({"x1=", "x2=", "x3=", "x4=", "x5=", "x6=", "x7=", "x8=", "x9="},
                        QStringList(9, "-12345678.123"),
                        QStringList(9, "точно -1234567812345/99999"));
    return working;
}

} // namespace

class TestHandout : public QObject
{
    Q_OBJECT

private slots:
    void savePdf_data();
    void savePdf();
};

void TestHandout::savePdf_data()
{
    QTest::addColumn<Clipboard>("working");
    QTest::addColumn<int>("mostPages");
    QTest::addColumn<QStringList>("says");
    QTest::addColumn<QPageSize::PageSizeId>("paper"); // printed where not A4, else saved

    Clipboard two;
    two.setSystem({{"17", "0", "-1"}, {"0", "3", "7"}});
    two.addStep("(ПРАВ ХОД) стъпка:1", {"ред 1 = ред 1 : (17)"},
                {{"1", "0", "-0.05882353"}, {"0", "3", "7"}});
    two.addStep("(ПРАВ ХОД) стъпка:2", {"ред 2 = ред 2 : (3)"},
                {{"1", "0", "-0.05882353"}, {"0", "1", "2.333333"}});
    two.setSolution({"x1=", "x2="}, {"-0.059", "2.333"}, {"точно -1/17", "точно 7/3"});
    QTest::newRow("two equations solved")
        << two << 1 << QStringList{"x1 x2", "-0.05882353", "решението е:", "x2= 2.333 точно 7/3"}
        << QPageSize::A4;

    Clipboard refused;
    refused.setSystem({{"3", "-1", "5", "-4"}, {"-1", "3", "0", "-3"}, {"2", "2", "5", "-7"}});
    refused.addReport({"безброй решения:", "x1 = -15/8 - 15/8·x3",
                       "КОМПЮТЪРА НЕ РЕШАВА ТАКИВА СИСТЕМИ!!! бутон <ИЗЧИСТИ>"});
    QTest::newRow("three equations refused")
        << refused << 1
        << QStringList{"първоначален вид на системата:", "x1 = -15/8 - 15/8·x3", "<ИЗЧИСТИ>"}
        << QPageSize::A4;

    const QStringList nine{"стъпка:17", "x9= -12345678.123"};
    QTest::newRow("nine equations at their widest") << widestNine() << 8 << nine << QPageSize::A4;
    QTest::newRow("printed on Letter") << widestNine() << 8 << nine << QPageSize::Letter;
}

void TestHandout::savePdf()
{
    QFETCH(Clipboard, working);
    QFETCH(int, mostPages);
    QFETCH(QStringList, says);
    QFETCH(QPageSize::PageSizeId, paper);
    if (QStandardPaths::findExecutable("pdftotext").isEmpty() ||
        QStandardPaths::findExecutable("pdffonts").isEmpty())
        QSKIP("poppler-utils is not installed");
    QTemporaryDir folder;
    const QString pdf = folder.filePath("решение.pdf");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFileName(pdf);
    printer.setPageSize(QPageSize(paper));
    if (paper != QPageSize::A4)
        Handout::print(working, printer);
    else
        QVERIFY(Handout::savePdf(working, pdf));
    QTest::ignoreMessage(QtWarningMsg, "QPainter::begin(): Returned false");
    QVERIFY(!Handout::savePdf(working, folder.filePath("missing/решение.pdf")));

    const QList<Page> pages = pagesOf(pdf);
    QVERIFY2(!pages.isEmpty() && pages.size() <= mostPages,
             qPrintable(QString::number(pages.size())));
    QString text;
    QMultiHash<QString, int> pageOf;
    for (int p = 0; p < pages.size(); ++p) {
        const Page &page = pages[p];
        const QSize points = QPageSize(paper).sizePoints();
        QCOMPARE(qRound(qMin(page.size.width(), page.size.height())), points.width());
        QCOMPARE(qRound(qMax(page.size.width(), page.size.height())), points.height());
        // Within margins of 15 mm.
        QVERIFY(QRectF(QPointF(), page.size).adjusted(42, 42, -42, -42).contains(page.ink));
        for (const QString &word : page.words)
            pageOf.insert(word, p);
        text += page.words.join(u' ') + u' ';
    }
    says << QStringLiteral("системи линейни уравнения - метод на ГАУС")
         << QString::number(QDate::currentDate().year());
    for (const QString &words : says)
        QVERIFY2(text.contains(words), qPrintable(words));
    // Each step's prompt, operations and matrix on the page of its prompt.
    for (const Clipboard::Step &step : working.record().steps) {
        const int page = pageOf.value(step.prompt.section(u' ', -1), -1);
        QStringList all = step.operations.join(u' ').split(u' ');
        for (const QStringList &row : step.matrix)
            all << row;
        for (const QString &word : all)
            QVERIFY2(pageOf.values(word).contains(page), qPrintable(step.prompt + ": " + word));
    }

    const QStringList faces = run("pdffonts", {pdf}).split(u'\n', Qt::SkipEmptyParts).mid(2);
    QVERIFY(!faces.isEmpty());
    for (const QString &face : faces)
        QCOMPARE(face.split(u' ', Qt::SkipEmptyParts).end()[-5], QStringLiteral("yes")); // emb
}

QTEST_MAIN(TestHandout)
#include "tst_handout.moc"
