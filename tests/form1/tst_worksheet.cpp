// Worksheets read back from their PDF with pdftotext: each key true of the
// problems printed above it, both variants, the seed and the solutions; and
// the LaTeX of a working and of a worksheet compiled where pdflatex is.

#include "exercisewords.h"
#include "latexwriter.h"
#include "worksheet.h"
#include "worksheetdialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QProcess>
#include <QRegularExpression>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using gauss::ExerciseKind;
using Kinds = std::vector<ExerciseKind>;
Q_DECLARE_METATYPE(Kinds)
Q_DECLARE_METATYPE(std::vector<int>)

namespace
{

QString run(const QString &tool, const QStringList &arguments, const QString &folder = {})
{
    QProcess process;
    process.setWorkingDirectory(folder);
    process.start(tool, arguments);
    if (!process.waitForFinished(120000) || process.exitCode() != 0)
        return QString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

// A problem as printed, and its key.
struct Printed {
    QStringList equations;
    QString key;
};

mpq_class value(const QString &text)
{
    return mpq_class(QString(text).remove(u'(').remove(u')').toStdString());
}

// "4 − 2x3 + (1/2)x4" at the values x: terms split where a sign begins one.
mpq_class evaluate(QString text, const std::vector<mpq_class> &x)
{
    text.remove(u' ').replace(ExerciseWords::Minus, u'-');
    static const QRegularExpression term(QStringLiteral("([+-]?)([^+x-]*)(?:x(\\d+))?"));
    mpq_class sum = 0;
    for (const QRegularExpressionMatch &m : term.globalMatch(text)) {
        if (m.captured(0).isEmpty())
            continue;
        const mpq_class size = m.captured(2).isEmpty() ? 1 : value(m.captured(2));
        const mpq_class unknown = m.captured(3).isEmpty() ? 1 : x[m.captured(3).toUInt()];
        sum += (m.captured(1) == QStringLiteral("-") ? -1 : 1) * size * unknown;
    }
    return sum;
}

bool satisfies(const QStringList &equations, const std::vector<mpq_class> &x)
{
    for (const QString &equation : equations)
        if (evaluate(equation.section(u'=', 0, 0), x) != evaluate(equation.section(u'=', 1), x))
            return false;
    return true;
}

// Variant by variant, problem by problem, from pdftotext -layout's lines.
QList<QList<Printed>> readBack(const QString &text)
{
    QList<QList<Printed>> variants;
    bool key = false;
    int variant = -1;
    int problem = -1;
    static const QRegularExpression named(QStringLiteral("^\\s*Задача (\\d+)\\.\\s*(.*)$"));
    for (const QString &line : text.split(u'\n')) {
        const QRegularExpressionMatch m = named.match(line);
        if (line.contains(QStringLiteral("— решение")))
            break;
        if (line.contains(Worksheet::answersTitle()))
            key = true;
        else if (line.contains(QStringLiteral("Вариант "))) {
            variant = line.section(QStringLiteral("Вариант "), 1).at(0).unicode() - u'А';
            while (variants.size() <= variant)
                variants << QList<Printed>();
        } else if (m.hasMatch()) {
            problem = m.captured(1).toInt() - 1;
            while (variants[variant].size() <= problem)
                variants[variant] << Printed();
            if (key)
                variants[variant][problem].key = m.captured(2);
        } else if (!key && problem >= 0 && line.contains(u'=') && line.contains(u'x'))
            variants[variant][problem].equations << line;
        else if (key && problem >= 0 && !line.trimmed().isEmpty() && !line.contains("стр. "))
            variants[variant][problem].key += u' ' + line.simplified(); // a long key wraps
    }
    return variants;
}

// The key's values, checked in the printed equations and against their own solve.
void checkKey(const Printed &printed, ExerciseKind kind, int size)
{
    gauss::ExactMatrix a;
    for (int r = 1; r <= size; ++r)
        for (int c = 1; c <= size + 1; ++c) {
            std::vector<mpq_class> unit(std::size_t(size) + 1, 0);
            if (c <= size)
                unit[std::size_t(c)] = 1;
            a[r][c] = evaluate(
                printed.equations.value(r - 1).section(u'=', c <= size ? 0 : 1, c <= size ? 0 : 1),
                unit);
        }
    const gauss::Verdict verdict = gauss::solveExactly(a, size, size).verdict;
    QCOMPARE(printed.equations.size(), size);
    static const QRegularExpression assigned(QStringLiteral("x(\\d+) = ([^;]+)"));
    std::vector<mpq_class> x(std::size_t(size) + 1, 0);
    switch (kind) {
    case ExerciseKind::One:
        QCOMPARE(int(verdict.kind), int(gauss::Verdict::One));
        for (const QRegularExpressionMatch &m : assigned.globalMatch(printed.key))
            x[m.captured(1).toUInt()] = evaluate(m.captured(2), x);
        QVERIFY2(x == verdict.x && satisfies(printed.equations, x), qPrintable(printed.key));
        return;
    case ExerciseKind::None:
        QCOMPARE(int(verdict.kind), int(gauss::Verdict::None));
        QCOMPARE(printed.key, ExerciseWords::kindName(kind));
        return;
    case ExerciseKind::Many:
        break;
    }
    QCOMPARE(int(verdict.kind), int(gauss::Verdict::Many));
    const int free = verdict.ranks.free.front();
    QVERIFY2(printed.key.contains(QStringLiteral("x%1 — произволно").arg(free)),
             qPrintable(printed.key));
    for (const int t : {0, 1, -3}) {
        x[std::size_t(free)] = t;
        for (const QRegularExpressionMatch &m : assigned.globalMatch(printed.key))
            x[m.captured(1).toUInt()] = evaluate(m.captured(2), x);
        QVERIFY2(satisfies(printed.equations, x), qPrintable(printed.key));
    }
}

} // namespace

class TestWorksheet : public QObject
{
    Q_OBJECT

private slots:
    void keyIsTrue_data();
    void keyIsTrue();
    void latex_data();
    void latex();
    void dialog_data();
    void dialog();
};

void TestWorksheet::keyIsTrue_data()
{
    QTest::addColumn<std::vector<int>>("sizes");
    QTest::addColumn<Kinds>("kinds");
    QTest::addColumn<int>("problems");
    QTest::addColumn<int>("variants");
    QTest::addColumn<bool>("solutions");
    const Kinds all{ExerciseKind::One, ExerciseKind::None, ExerciseKind::Many};
    QTest::newRow("2 equations, every kind, two variants")
        << std::vector<int>{2} << all << 6 << 2 << false;
    QTest::newRow("3 equations, with solutions") << std::vector<int>{3} << all << 3 << 2 << true;
    QTest::newRow("9 equations") << std::vector<int>{9} << all << 3 << 1 << true;
    QTest::newRow("sizes mixed") << std::vector<int>{2, 4, 6} << Kinds{ExerciseKind::One} << 6 << 1
                                 << false;
}

void TestWorksheet::keyIsTrue()
{
    QFETCH(std::vector<int>, sizes);
    QFETCH(Kinds, kinds);
    QFETCH(int, problems);
    QFETCH(int, variants);
    QFETCH(bool, solutions);
    if (QStandardPaths::findExecutable("pdftotext").isEmpty())
        QSKIP("poppler-utils is not installed");
    QTemporaryDir folder;
    gauss::WorksheetChoice choice{problems, sizes, kinds, -4, 4, variants, 20261208};
    const std::optional<gauss::Worksheet> sheet = gauss::makeWorksheet(choice);
    QVERIFY(sheet);
    const QString pdf = folder.filePath("лист.pdf");
    QVERIFY(Worksheet::save(*sheet, solutions, QPageSize(QPageSize::A4), pdf));
    const QString text = run("pdftotext", {"-layout", pdf, "-"});
    QVERIFY(text.contains(Worksheet::seedLine(choice.seed)));
    QCOMPARE(text.contains(QStringLiteral("Вариант Б")), variants == 2);
    QCOMPARE(text.contains(QStringLiteral("Вариант А, задача 1 — решение")), solutions);
    const QList<QList<Printed>> read = readBack(text);
    QCOMPARE(read.size(), variants);
    for (int v = 0; v < variants; ++v) {
        QCOMPARE(read[v].size(), problems);
        for (int p = 0; p < problems; ++p)
            checkKey(read[v][p], sheet->variants[std::size_t(v)][std::size_t(p)].choice.kind,
                     sheet->variants[std::size_t(v)][std::size_t(p)].choice.size);
    }
    // The same seed and choices, the same paper.
    QVERIFY(Worksheet::save(*gauss::makeWorksheet(choice), solutions, QPageSize(QPageSize::A4),
                            folder.filePath("again.pdf")));
    QCOMPARE(run("pdftotext", {"-layout", folder.filePath("again.pdf"), "-"}), text);
    QTest::ignoreMessage(QtWarningMsg, "QPainter::begin(): Returned false");
    QVERIFY(!Worksheet::save(*sheet, false, QPageSize(QPageSize::A4), folder.filePath("no/a.pdf")));
    QVERIFY(!Worksheet::save(*sheet, false, QPageSize(QPageSize::A4), folder.filePath("no/a.tex")));
}

void TestWorksheet::latex_data()
{
    QTest::addColumn<bool>("whole"); // the worksheet, or a working copied
    QTest::addColumn<QStringList>("source");
    QTest::addColumn<QStringList>("says"); // once compiled
    QTest::newRow("working of 3 equations")
        << false
        << QStringList{"\\xrightarrow{\\substack{R_{1} \\leftrightarrow R_{2} \\\\ R_{1} : 2 "
                       "\\\\ R_{3} - 3R_{1}}}",
                       "\\end{array}\\right) \\xrightarrow{R_{1} - 2R_{2}} \\left(", "\\frac{2}{5}",
                       "\\left(\\begin{array}{rrr|r}\n0 & 2 & 3 & 1 \\\\\n"}
        << QStringList{"x1 ="};
    QTest::newRow("worksheet") << true << QStringList{"\\bg{Вариант Б}{Variant B}"}
                               << QStringList{"Variant B", "Otgovori", "Zadacha 2."};
}

void TestWorksheet::latex()
{
    QFETCH(bool, whole);
    QFETCH(QStringList, source);
    QFETCH(QStringList, says);
    if (QStandardPaths::findExecutable("pdflatex").isEmpty() ||
        QStandardPaths::findExecutable("pdftotext").isEmpty())
        QSKIP("texlive-latex-base or poppler-utils is not installed");
    QTemporaryDir folder;
    QString tex;
    if (whole) {
        const gauss::WorksheetChoice choice{3, {3}, {ExerciseKind::One, ExerciseKind::Many}, -5, 5,
                                            2, 7};
        tex = LatexWriter::worksheet(*gauss::makeWorksheet(choice), true, QPageSize(QPageSize::A4));
    } else {
        // A zero pivot exchanges rows; fractions come from 2 and 3.
        gauss::ExactMatrix a;
        const int cells[3][4] = {{0, 2, 3, 1}, {2, 4, 0, -2}, {3, 0, 6, 3}};
        for (int r = 1; r <= 3; ++r)
            for (int c = 1; c <= 4; ++c)
                a[r][c] = cells[r - 1][c - 1];
        const Working working = ExerciseWords::workingOf(gauss::solveExactly(a, 3, 3));
        tex = QStringLiteral("\\documentclass{article}\\usepackage{amsmath}\\begin{document}\n") +
              LatexWriter::working(working.record()) + QStringLiteral("\\end{document}\n");
    }
    for (const QString &written : source)
        QVERIFY2(tex.contains(written), qPrintable(tex));
    QFile file(folder.filePath("w.tex"));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(tex.toUtf8()) > 0);
    file.close();
    run("pdflatex", {"-interaction=nonstopmode", "-halt-on-error", "w.tex"}, folder.path());
    const QString text = run("pdftotext", {folder.filePath("w.pdf"), "-"}).simplified();
    QVERIFY2(!text.isEmpty(), qPrintable(tex));
    for (const QString &words : says)
        QVERIFY2(text.contains(words), qPrintable(text));
}

void TestWorksheet::dialog_data()
{
    QTest::addColumn<int>("lowest");    // first given; then -5
    QTest::addColumn<QString>("typed"); // into the file dialog
    QTest::addColumn<QStringList>("boxes");
    QTest::addColumn<QByteArray>("written"); // how the file begins, if written
    QTest::newRow("PDF") << -5 << "лист.pdf" << QStringList() << QByteArray("%PDF");
    QTest::newRow("a reversed range told, then LaTeX")
        << 6 << "лист.tex"
        << QStringList{"ГРЕШКА: Началото на интервала на отговорите (6) е след края му (5)."}
        << QByteArray("\\documentclass");
    QTest::newRow("not written") << -5 << "missing/лист.pdf"
                                 << QStringList{"ГРЕШКА: Файлът „%1/missing/лист.pdf“ не може да "
                                                "бъде записан."}
                                 << QByteArray();
}

// The dialog, its check, the file dialog and the file, answered as they come.
void TestWorksheet::dialog()
{
    QFETCH(int, lowest);
    QFETCH(QString, typed);
    QFETCH(QStringList, boxes);
    QFETCH(QByteArray, written);
    QTemporaryDir folder;
    QWidget window;
    window.show();
    QStringList seen;
    int given = lowest;
    QObject context;
    std::function<void()> answer = [&] {
        // First, so that a box the dialog opens is answered too.
        QTimer::singleShot(10, &context, answer);
        QWidget *modal = QApplication::activeModalWidget();
        if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            seen << box->windowTitle() + u' ' + box->text();
            if (QAbstractButton *ok = box->button(QMessageBox::Ok))
                ok->click();
            else
                box->reject();
        } else if (auto *files = qobject_cast<QFileDialog *>(modal)) {
            // selectFile() leaves the name alone while the user is typing it.
            if (files->focusWidget())
                files->focusWidget()->clearFocus();
            files->selectFile(folder.filePath(typed));
            static_cast<QDialog *>(files)->accept();
        } else if (auto *sheet = qobject_cast<WorksheetDialog *>(modal)) {
            // Whatever an earlier run left remembered.
            sheet->findChild<QSpinBox *>("problems")->setValue(2);
            sheet->findChild<QSpinBox *>("seed")->setValue(1);
            sheet->findChild<QSpinBox *>("highest")->setValue(5);
            for (QCheckBox *box : sheet->findChildren<QCheckBox *>())
                box->setChecked(box->objectName() == "size3" || box->objectName() == "kind_one");
            sheet->findChild<QSpinBox *>("lowest")->setValue(given);
            given = -5;
            sheet->accept();
        }
    };
    QTimer::singleShot(10, &context, answer);
    if (written.isEmpty())
        QTest::ignoreMessage(QtWarningMsg, "QPainter::begin(): Returned false");
    WorksheetDialog::run(&window);
    QCOMPARE(seen, boxes.replaceInStrings("%1", folder.path()));
    QFile file(folder.filePath(typed));
    QCOMPARE(file.open(QIODevice::ReadOnly) && file.readAll().startsWith(written),
             !written.isEmpty());
}

QTEST_MAIN(TestWorksheet)
#include "tst_worksheet.moc"
