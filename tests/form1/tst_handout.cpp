// The working as a handout, read back from the PDF with poppler's tools: its
// text, its A4 or Letter pages, its embedded faces, and every table whole on
// one page and within the margins; the save and print dialogs, and what they
// tell. And the working's copy as LibreOffice takes it, where it is installed.

#include "boardpage.h"
#include "handout.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDate>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

Q_DECLARE_METATYPE(Working)

namespace
{

// The words of a page as pdftotext reads them, the page's size and where it has ink.
struct Page {
    QSizeF size;
    QStringList words;
    QRectF ink;
};

// A tool's output; where the tool did not end well, failure says why.
QString run(const QString &tool, const QStringList &arguments, QString *failure,
            const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(tool, arguments);
    if (!process.waitForFinished() || process.exitStatus() != QProcess::NormalExit)
        *failure = tool + QStringLiteral(": ") + process.errorString();
    else if (process.exitCode() != 0)
        *failure = QStringLiteral("%1 ended with %2: %3")
                       .arg(tool)
                       .arg(process.exitCode())
                       .arg(QString::fromLocal8Bit(process.readAllStandardError()));
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The pages of pdftotext -bbox's output.
QList<Page> pagesOf(const QString &boxes)
{
    static const QRegularExpression tag(
        QStringLiteral("<page width=\"([\\d.]+)\" height=\"([\\d.]+)\"|<word xMin=\"([\\d.]+)\" "
                       "yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">([^<]*)<"));
    QList<Page> pages;
    for (const QRegularExpressionMatch &m : tag.globalMatch(boxes)) {
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
Working widestNine()
{
    const auto matrix = [](int step) {
        Working::Block rows;
        for (int r = 0; r < 9; ++r) {
            QStringList row;
            for (int c = 0; c < 10; ++c)
                row << QStringLiteral("-1.%1%2%3").arg(step, 2, 10, QChar('0')).arg(r).arg(c) +
                           QStringLiteral("68E+07");
            rows << row;
        }
        return rows;
    };
    Working working;
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

// The working's HTML opened by LibreOffice under locale with filter, saved as
// format into folder, with a profile of its own.
QString inOffice(const Working &working, const QString &filter, const QString &format,
                 const QString &locale, const QTemporaryDir &folder, QString *failure)
{
    QFile html(folder.filePath("working.html"));
    html.open(QIODevice::WriteOnly) && html.write(working.html().toUtf8()) && html.flush();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("HOME", folder.filePath(locale));
    environment.insert("LC_ALL", locale + ".UTF-8");
    run("soffice",
        {"--headless", "--infilter=" + filter, "--convert-to", format, "--outdir", folder.path(),
         html.fileName()},
        failure, environment);
    return folder.filePath("working." + format);
}

// Opens a dialog with open and answers what comes up, every few milliseconds:
// the save dialog is given file and, shown again after a question, closed; the
// print dialog prints to file; each box is answered with reply, or its one OK,
// and kept as its title and text, after a "~" where it reads its text as markup.
QStringList answered(const std::function<void()> &open, const QString &file, int reply)
{
    QStringList boxes;
    bool named = false;
    QObject context;
    std::function<void()> answer = [&] {
        // First, so that the boxes a dialog opens are answered too.
        QTimer::singleShot(10, &context, answer);
        QWidget *modal = QApplication::activeModalWidget();
        if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            boxes << (box->textFormat() == Qt::PlainText ? "" : "~") + box->windowTitle() + u' ' +
                         box->text().section(u'\n', 0, 0);
            const auto button = QMessageBox::StandardButton(reply);
            (box->button(button) ? box->button(button) : box->button(QMessageBox::Ok))->click();
        } else if (auto *save = qobject_cast<QFileDialog *>(modal)) {
            // selectFile() leaves the name alone while the user is typing it.
            if (!named && save->focusWidget())
                save->focusWidget()->clearFocus();
            if (!named)
                save->selectFile(file);
            // QFileDialog's own accept() is protected.
            named ? save->reject() : static_cast<QDialog *>(save)->accept();
            named = true;
        } else if (auto *print = qobject_cast<QPrintDialog *>(modal)) {
            // accept() would take the dialog's own file name over this one.
            print->printer()->setOutputFileName(file);
            print->done(QDialog::Accepted);
        }
    };
    QTimer::singleShot(10, &context, answer);
    open();
    return boxes;
}

} // namespace

class TestHandout : public QObject
{
    Q_OBJECT

private slots:
    void savePdf_data();
    void savePdf();
    void copyInCalc();
    void dialogs_data();
    void dialogs();
};

void TestHandout::savePdf_data()
{
    QTest::addColumn<Working>("working");
    QTest::addColumn<int>("mostPages");
    QTest::addColumn<QStringList>("says");
    QTest::addColumn<QPageSize::PageSizeId>("paper"); // printed where not A4, else saved
    QTest::addColumn<bool>("copied"); // into Writer, which prints it, rather than the handout

    Working two;
    two.setSystem({{"17", "0", "-1"}, {"0", "3", "7"}});
    two.addStep("(ПРАВ ХОД) стъпка:1", {"ред 1 = ред 1 : (17)"},
                {{"1", "0", "-0.05882353"}, {"0", "3", "7"}});
    two.addStep("(ПРАВ ХОД) стъпка:2", {"ред 2 = ред 2 : (3)"},
                {{"1", "0", "-0.05882353"}, {"0", "1", "2.333333"}});
    two.setSolution({"x1=", "x2="}, {"-0.059", "2.333"}, {"точно -1/17", "точно 7/3"});
    QTest::newRow("two equations solved")
        << two << 1 << QStringList{"р1 : 17", "-0.05882353", "решението е:", "x2= 2.333 точно"}
        << QPageSize::A4 << false;

    Working refused;
    refused.setSystem({{"3", "-1", "5", "-4"}, {"-1", "3", "0", "-3"}, {"2", "2", "5", "-7"}});
    refused.addReport({"безброй решения:", "x1 = -15/8 - 15/8·x3",
                       "КОМПЮТЪРА НЕ РЕШАВА ТАКИВА СИСТЕМИ!!! бутон <ИЗЧИСТИ>"});
    QTest::newRow("three equations refused")
        << refused << 1
        << QStringList{"първоначален вид на системата:", "x1 = -15/8 - 15/8·x3", "<ИЗЧИСТИ>"}
        << QPageSize::A4 << false;

    const QStringList nine{"стъпка:17", "x9= -12345678.123"};
    QTest::newRow("nine equations at their widest")
        << widestNine() << 8 << nine << QPageSize::A4 << false;
    QTest::newRow("printed on Letter") << widestNine() << 8 << nine << QPageSize::Letter << false;
    QTest::newRow("copied into Writer") << widestNine() << 8 << nine << QPageSize::A4 << true;
}

void TestHandout::savePdf()
{
    QFETCH(Working, working);
    QFETCH(int, mostPages);
    QFETCH(QStringList, says);
    QFETCH(QPageSize::PageSizeId, paper);
    QFETCH(bool, copied);
    if (QStandardPaths::findExecutable("pdftotext").isEmpty() ||
        QStandardPaths::findExecutable("pdffonts").isEmpty() ||
        (copied && QStandardPaths::findExecutable("soffice").isEmpty()))
        QSKIP("poppler-utils or LibreOffice is not installed");
    QTemporaryDir folder;
    QString failure;
    QString pdf = folder.filePath("решение.pdf");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFileName(pdf);
    printer.setPageSize(QPageSize(paper));
    if (copied) // where A4 is the paper
        pdf = inOffice(working, "HTML (StarWriter)", "pdf", "en_GB", folder, &failure);
    else if (paper != QPageSize::A4)
        Handout::print(working, printer);
    else
        QVERIFY(Handout::savePdf(working, pdf));
    QTest::ignoreMessage(QtWarningMsg, "QPainter::begin(): Returned false");
    QVERIFY(!Handout::savePdf(working, folder.filePath("missing/решение.pdf")));

    const QList<Page> pages = pagesOf(run("pdftotext", {"-bbox", pdf, "-"}, &failure));
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
    QVERIFY2(!pages.isEmpty() && pages.size() <= mostPages,
             qPrintable(QString::number(pages.size())));
    QString text;
    QMultiHash<QString, int> pageOf;
    for (int p = 0; p < pages.size(); ++p) {
        const Page &page = pages[p];
        const QSize points = QPageSize(paper).sizePoints();
        QCOMPARE(qRound(qMin(page.size.width(), page.size.height())), points.width());
        QCOMPARE(qRound(qMax(page.size.width(), page.size.height())), points.height());
        const qreal m = copied ? 56.5 : 42; // margins of 15 mm, or Writer's 2 cm
        QVERIFY(QRectF(QPointF(), page.size).adjusted(m, m, -m, -m).contains(page.ink));
        for (const QString &word : page.words)
            pageOf.insert(word.endsWith(u';') ? word.chopped(1) : word, p); // "р1 : 2;   р2 − р1"
        text += page.words.join(u' ') + u' ';
    }
    if (!copied)
        says << QStringLiteral("системи линейни уравнения - метод на ГАУС")
             << QString::number(QDate::currentDate().year());
    text.replace(u'−', u'-'); // the true minus of a matrix, or a copy's hyphen
    for (const QString &words : says)
        QVERIFY2(text.contains(words), qPrintable(words + u'\n' + text));
    // Each step's prompt, operations and matrix on the page of its prompt, as the board writes
    // them.
    for (const Working::Step &step : working.record().steps) {
        const int page = pageOf.value(step.prompt.section(u' ', -1), -1);
        QStringList all;
        for (const QString &line : step.operations)
            all << (copied ? line : boardOperation(line)).split(u' ');
        for (const QStringList &row : step.matrix)
            all << QString(row.join(u' ')).replace(u'-', copied ? u'-' : u'−').split(u' ');
        for (const QString &word : all)
            QVERIFY2(pageOf.values(word).contains(page), qPrintable(step.prompt + ": " + word));
    }

    const QString fonts = run("pdffonts", {pdf}, &failure);
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
    const QStringList faces = fonts.split(u'\n', Qt::SkipEmptyParts).mid(2);
    QVERIFY(!faces.isEmpty());
    for (const QString &face : faces)
        QCOMPARE(face.split(u' ', Qt::SkipEmptyParts).end()[-5], QStringLiteral("yes")); // emb
}

// In Calc, under a decimal comma or point, every matrix of the copy takes its
// 10 columns, none merged, and every number is a number; fractions show as
// fractions, as Calc writes them, where it has a format for their denominator.
void TestHandout::copyInCalc()
{
    if (QStandardPaths::findExecutable("soffice").isEmpty())
        QSKIP("LibreOffice is not installed");
    QTemporaryDir folder;
    QString failure;
    static const QRegularExpression column("<table:table-column(?:[^>]*repeated=\"(\\d+)\")?");
    static const QRegularExpression shown(
        "value-type=\"float\"[^>]*>\\s*<text:p>(?:<text:s[^>]*>)?([^<]*)<"); // after padding
    Working fractions;
    fractions.setSystem({{"8/17", "-7/3", "1/2"}, {"-1/2", "62/111", "−1/3"}});
    for (const QString locale : {"bg_BG", "en_US"}) {
        QFile cells(inOffice(fractions, "HTML (StarCalc)", "fods", locale, folder, &failure));
        QVERIFY2(cells.open(QIODevice::ReadOnly), qPrintable(failure));
        QStringList texts;
        for (const QRegularExpressionMatch &m : shown.globalMatch(cells.readAll()))
            texts << m.captured(1);
        QCOMPARE(texts, (QStringList{"8/17", "-2 1/3", "1/2", "- 1/2", "62/111", "- 1/3"}));

        QFile fods(inOffice(widestNine(), "HTML (StarCalc)", "fods", locale, folder, &failure));
        QVERIFY2(fods.open(QIODevice::ReadOnly), qPrintable(failure));
        const QString sheet = fods.readAll();
        int columns = 0;
        for (const QRegularExpressionMatch &m : column.globalMatch(sheet))
            columns += std::max(1, m.captured(1).toInt());
        QCOMPARE(columns, 10);
        QCOMPARE(sheet.count("columns-spanned=\"1\""), sheet.count("columns-spanned"));
        QCOMPARE(sheet.count("office:value-type=\"float\""), 18 * 90 + 9);
    }
}

void TestHandout::dialogs_data()
{
    QTest::addColumn<bool>("print");
    QTest::addColumn<QByteArray>("before"); // in решение.pdf, if anything
    QTest::addColumn<QString>("typed");     // into the save dialog, or the file printed to
    QTest::addColumn<int>("reply");
    QTest::addColumn<QStringList>("boxes");  // %1 the folder
    QTest::addColumn<QByteArray>("written"); // how the file begins, if written
    const int no = QMessageBox::No;
    const QStringList asked{"~Запази като PDF решение.pdf already exists."};
    const QString failed = "ГРЕШКА: Файлът „%1/missing/%2“ не може да бъде записан.";
    QTest::newRow("save adds .pdf")
        << false << QByteArray() << "решение" << no << QStringList() << QByteArray("%PDF");
    QTest::newRow("save asks before it replaces the .pdf")
        << false << QByteArray("old") << "решение" << no << asked << QByteArray("old");
    QTest::newRow("save replaces when told")
        << false << QByteArray("old") << "решение" << int(QMessageBox::Yes) << asked
        << QByteArray("%PDF");
    QTest::newRow("save that fails says where, markup and all")
        << false << QByteArray() << "missing/<i>решение" << no
        << QStringList{failed.arg("%1", "<i>решение.pdf")} << QByteArray();
    QTest::newRow("print to a file")
        << true << QByteArray() << "отпечатано.pdf" << no << QStringList() << QByteArray("%PDF");
    QTest::newRow("print that cannot start")
        << true << QByteArray() << "missing/отпечатано.pdf" << no
        << QStringList{failed.arg("%1", "отпечатано.pdf")} << QByteArray();
}

void TestHandout::dialogs()
{
    QFETCH(bool, print);
    QFETCH(QByteArray, before);
    QFETCH(QString, typed);
    QFETCH(int, reply);
    QFETCH(QStringList, boxes);
    QFETCH(QByteArray, written);
    QTemporaryDir folder;
    QFile file(folder.filePath("решение.pdf"));
    QVERIFY(before.isEmpty() || (file.open(QIODevice::WriteOnly) && file.write(before)));
    file.close();
    if (written.isEmpty())
        QTest::ignoreMessage(QtWarningMsg, "QPainter::begin(): Returned false");
    QWidget window;
    window.show();
    Working working;
    working.setSystem({{"1", "2", "3"}, {"4", "5", "6"}});
    const auto open = [&] {
        (print ? Handout::printWithDialog : Handout::saveWithDialog)(&window, working, {});
    };
    QCOMPARE(answered(open, folder.filePath(typed), reply),
             boxes.replaceInStrings("%1", folder.path()));
    file.setFileName(folder.filePath(typed.endsWith(".pdf") ? typed : typed + ".pdf"));
    QCOMPARE(file.open(QIODevice::ReadOnly) && file.readAll().startsWith(written),
             !written.isEmpty());
}

QTEST_MAIN(TestHandout)
#include "tst_handout.moc"
