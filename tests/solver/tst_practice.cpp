// A student's own elimination without a window: the operations and their
// refusals, taking back, the method's operations one by one, and the ends.

#include "diagnosis.h"
#include "practice.h"

#include <QRandomGenerator>
#include <QTest>

using gauss::End;
using gauss::Refusal;
using gauss::RowOperation;

namespace
{

// "2 1 | 3 / 4 5 | -1/2": rows split by " / ", the right-hand side after "|".
gauss::ExactSystem systemOf(const QString &text)
{
    gauss::ExactSystem s;
    const QStringList rows = text.split(QStringLiteral(" / "));
    s.rows = int(rows.size());
    s.unknowns = int(rows[0].section(u'|', 0, 0).simplified().count(u' ')) + 1;
    for (int r = 1; r <= s.rows; ++r) {
        const QStringList cells = rows[r - 1].simplified().remove(QStringLiteral("| ")).split(u' ');
        for (int c = 1; c <= s.unknowns + 1; ++c)
            s.a[r][c] = mpq_class(cells.value(c - 1).toStdString());
    }
    return s;
}

QString textOf(const gauss::ExactSystem &s)
{
    QStringList rows;
    for (int r = 1; r <= s.rows; ++r) {
        QStringList cells;
        for (int c = 1; c <= s.unknowns + 1; ++c)
            cells << QString::fromStdString((c == s.unknowns + 1 ? "| " : "") +
                                            s.a[r][c].get_str());
        rows << cells.join(u' ');
    }
    return rows.join(QStringLiteral(" / "));
}

// "x 1 3" exchange, "d 1 2" divide, "m 1 1/2" multiply, "e 2 1 -3/2" eliminate.
const QString kinds = QStringLiteral("xdmec");

RowOperation operationOf(const QString &text)
{
    const QStringList parts = text.split(u' ');
    RowOperation op;
    op.kind = RowOperation::Kind(kinds.indexOf(parts[0]));
    op.row = parts[1].toInt();
    const bool twoRows = op.kind != RowOperation::Divide && op.kind != RowOperation::Multiply;
    op.other = twoRows ? parts[2].toInt() : 0;
    op.factor = mpq_class(parts.value(twoRows ? 3 : 2, QStringLiteral("0")).toStdString());
    op.own = mpq_class(parts.value(4, QStringLiteral("1")).toStdString()); // "c 2 1 4 2"
    return op;
}

QString textOf(const RowOperation &op)
{
    QStringList parts{kinds.at(op.kind), QString::number(op.row)};
    if (op.kind == RowOperation::Exchange || op.kind == RowOperation::Eliminate)
        parts << QString::number(op.other);
    if (op.kind != RowOperation::Exchange)
        parts << QString::fromStdString(op.factor.get_str());
    return parts.join(u' ');
}

const QString example = QStringLiteral("2 1 -1 | 8 / -3 -1 2 | -11 / -2 1 2 | -3");

} // namespace

class TestPractice : public QObject
{
    Q_OBJECT

private slots:
    void operations_data();
    void operations();
    void method_data();
    void method();
    void ends_data();
    void ends();
    void slips_data();
    void slips();
};

void TestPractice::operations_data()
{
    QTest::addColumn<QString>("system");
    QTest::addColumn<QString>("operation");
    QTest::addColumn<Refusal>("refusal");
    QTest::addColumn<QString>("after"); // when applied

    const QString two = QStringLiteral("2 1 | 3 / 4 5 | 6");
    QTest::newRow("eliminate") << two << "e 2 1 2" << Refusal::None << "2 1 | 3 / 0 3 | 0";
    QTest::newRow("eliminate, adding")
        << two << "e 1 2 -1/2" << Refusal::None << "4 7/2 | 6 / 4 5 | 6";
    QTest::newRow("divide by a fraction")
        << two << "d 1 2/3" << Refusal::None << "3 3/2 | 9/2 / 4 5 | 6";
    QTest::newRow("multiply") << two << "m 2 -1/2" << Refusal::None << "2 1 | 3 / -2 -5/2 | -3";
    QTest::newRow("exchange") << two << "x 2 1" << Refusal::None << "4 5 | 6 / 2 1 | 3";
    QTest::newRow("combined") << two << "c 2 1 4 2" << Refusal::None << "2 1 | 3 / 0 6 | 0";
    QTest::newRow("combined, own factor 0") << two << "c 2 1 4 0" << Refusal::ZeroFactor << "";
    QTest::newRow("exchange the last of nine")
        << "1 0 0 0 0 0 0 0 0 | 1 / 0 1 0 0 0 0 0 0 0 | 2 / 0 0 1 0 0 0 0 0 0 | 3 / "
           "0 0 0 1 0 0 0 0 0 | 4 / 0 0 0 0 1 0 0 0 0 | 5 / 0 0 0 0 0 1 0 0 0 | 6 / "
           "0 0 0 0 0 0 1 0 0 | 7 / 0 0 0 0 0 0 0 1 0 | 8 / 0 0 0 0 0 0 0 0 1 | 9"
        << "x 9 1" << Refusal::None
        << "0 0 0 0 0 0 0 0 1 | 9 / 0 1 0 0 0 0 0 0 0 | 2 / 0 0 1 0 0 0 0 0 0 | 3 / "
           "0 0 0 1 0 0 0 0 0 | 4 / 0 0 0 0 1 0 0 0 0 | 5 / 0 0 0 0 0 1 0 0 0 | 6 / "
           "0 0 0 0 0 0 1 0 0 | 7 / 0 0 0 0 0 0 0 1 0 | 8 / 1 0 0 0 0 0 0 0 0 | 1";
    QTest::newRow("row below the system") << two << "e 3 1 1" << Refusal::RowOutside << "";
    QTest::newRow("other row below the system") << two << "x 1 3" << Refusal::RowOutside << "";
    QTest::newRow("row 0") << two << "d 0 2" << Refusal::RowOutside << "";
    QTest::newRow("divide by 0") << two << "d 1 0" << Refusal::ZeroFactor << "";
    QTest::newRow("multiply by 0") << two << "m 2 0" << Refusal::ZeroFactor << "";
    QTest::newRow("add 0 times a row") << two << "e 2 1 0" << Refusal::ZeroFactor << "";
    QTest::newRow("a row to itself") << two << "e 2 2 1" << Refusal::SameRow << "";
    QTest::newRow("a row with itself") << two << "x 1 1" << Refusal::SameRow << "";
}

// Applied, the operation gives the matrix after it, and taking it back the
// system as typed; refused, it leaves the system as it was.
void TestPractice::operations()
{
    QFETCH(QString, system);
    QFETCH(QString, operation);
    QFETCH(Refusal, refusal);
    QFETCH(QString, after);
    gauss::Practice practice(systemOf(system));
    QCOMPARE(practice.apply(operationOf(operation)), refusal);
    QCOMPARE(textOf(practice.current()),
             refusal == Refusal::None ? after : textOf(systemOf(system)));
    QCOMPARE(practice.operations().size(), refusal == Refusal::None ? 1u : 0u);
    QCOMPARE(practice.takeBack(), refusal == Refusal::None);
    QCOMPARE(textOf(practice.current()), textOf(systemOf(system)));
    QVERIFY(!practice.takeBack());
}

void TestPractice::method_data()
{
    QTest::addColumn<QString>("system");
    QTest::addColumn<QString>("operations"); // the method's, one after another
    QTest::addColumn<End>("end");

    QTest::newRow("3 equations")
        << example
        << "d 1 2; e 2 1 -3; e 3 1 -2; d 2 1/2; e 3 2 2; d 3 -1; e 2 3 1; e 1 3 -1/2; e 1 2 1/2"
        << End::Solved;
    QTest::newRow("zero pivot") << "0 1 | 2 / 1 1 | 3"
                                << "x 1 2; e 1 2 1" << End::Solved;
    // The first row below with a pivot, not the next one.
    QTest::newRow("pivot two rows down")
        << "0 1 1 | 1 / 0 2 1 | 1 / 3 0 0 | 3"
        << "x 1 3; d 1 3; d 2 2; e 3 2 1; d 3 1/2; e 2 3 1/2" << End::Solved;
    QTest::newRow("solved as typed") << "1 0 | 5 / 0 1 | -1/3"
                                     << "" << End::Solved;
    QTest::newRow("no solution") << "1 2 | 3 / 2 4 | 7"
                                 << "e 2 1 2" << End::NoSolution;
    QTest::newRow("many solutions") << "1 2 | 3 / 2 4 | 6"
                                    << "e 2 1 2" << End::ManySolutions;
    // x1 is free; the pivots stand in columns 2 and 3.
    QTest::newRow("free first column") << "0 1 1 | 2 / 0 2 3 | 5 / 0 0 0 | 0"
                                       << "e 2 1 2; e 1 2 1" << End::ManySolutions;
    QTest::newRow("2 equations, 3 unknowns") << "1 1 1 | 6 / 1 -1 2 | 5"
                                             << "e 2 1 1; d 2 -2; e 1 2 1" << End::ManySolutions;
    QTest::newRow("3 equations, 2 unknowns")
        << "1 1 | 3 / 1 -1 | 1 / 2 1 | 5"
        << "e 2 1 1; e 3 1 2; d 2 -2; e 3 2 -1; e 1 2 1" << End::Solved;
    QTest::newRow("3 equations, 2 unknowns, none")
        << "1 1 | 3 / 1 -1 | 1 / 2 1 | 6"
        << "e 2 1 1; e 3 1 2; d 2 -2; e 3 2 -1" << End::NoSolution;
}

// The hint, asked again after each of its own operations, walks the method to
// its end in as many operations as the method's count says.
void TestPractice::method()
{
    QFETCH(QString, system);
    QFETCH(QString, operations);
    QFETCH(End, end);
    gauss::Practice practice(systemOf(system));
    QStringList made;
    while (gauss::endOf(practice.current()) == End::Going && made.size() < 100) {
        const RowOperation op = gauss::nextOfMethod(practice.current());
        made << textOf(op);
        QCOMPARE(practice.apply(op), Refusal::None);
    }
    QCOMPARE(made.join(QStringLiteral("; ")), operations);
    QCOMPARE(gauss::endOf(practice.current()), end);
    QCOMPARE(gauss::methodLength(systemOf(system)), int(made.size()));
}

void TestPractice::ends_data()
{
    QTest::addColumn<QString>("matrix");
    QTest::addColumn<End>("end");
    QTest::addColumn<bool>("echelon"); // back-substitution is all that is left

    QTest::newRow("identity") << "1 0 0 | 2 / 0 1 0 | 3 / 0 0 1 | -1" << End::Solved << true;
    QTest::newRow("0 = c before the end")
        << "2 1 0 | 2 / 0 0 0 | 5 / 1 1 1 | 1" << End::NoSolution << false;
    QTest::newRow("0 = 0 in an unreduced matrix") << "2 1 | 2 / 0 0 | 0" << End::Going << true;
    QTest::newRow("leading 1 not alone") << "1 1 | 2 / 0 1 | 1" << End::Going << true;
    QTest::newRow("zeros above a row") << "0 0 | 0 / 1 2 | 3" << End::Going << false;
    QTest::newRow("rows out of order") << "0 1 | 1 / 1 0 | 2" << End::Going << false;
    QTest::newRow("reduced, x2 free")
        << "1 2 0 | 1 / 0 0 1 | 2 / 0 0 0 | 0" << End::ManySolutions << true;
    QTest::newRow("all zero") << "0 0 | 0 / 0 0 | 0" << End::ManySolutions << true;
    QTest::newRow("upper triangle")
        << "2 1 -1 | 8 / 0 1/2 1/2 | 1 / 0 0 -1 | 1" << End::Going << true;
    QTest::newRow("unit over a row of zeros")
        << "1 0 | 2 / 0 1 | 3 / 0 0 | 0" << End::Solved << true;
    QTest::newRow("fewer equations than unknowns")
        << "1 0 0 | 2 / 0 1 0 | 3" << End::ManySolutions << true;
}

void TestPractice::ends()
{
    QFETCH(QString, matrix);
    QFETCH(End, end);
    QFETCH(bool, echelon);
    QCOMPARE(gauss::endOf(systemOf(matrix)), end);
    QCOMPARE(gauss::echelon(systemOf(matrix)), echelon);
    const gauss::Form form = gauss::formOf(systemOf(matrix));
    QCOMPARE(form.echelon, echelon);
    QCOMPARE(form.reduced, end == End::Solved || end == End::ManySolutions);
}

void TestPractice::slips_data()
{
    QTest::addColumn<QChar>("kind");   // of the operation: e, d, m or c (combined)
    QTest::addColumn<QString>("made"); // the slip the model makes on purpose
    QTest::addColumn<gauss::Slip::Kind>("told");
    using Slip = gauss::Slip;
    for (const QChar kind : {u'e', u'c'}) {
        const QByteArray of = kind == u'e' ? "eliminate: " : "combined: ";
        QTest::newRow(of + "sign") << kind << "sign" << Slip::Sign;
        QTest::newRow(of + "another row") << kind << "other" << Slip::OtherRow;
        QTest::newRow(of + "multiplier") << kind << "multiplier" << Slip::Multiplier;
        QTest::newRow(of + "right side kept") << kind << "kept" << Slip::RightUnchanged;
        QTest::newRow(of + "right side apart") << kind << "apart" << Slip::RightApart;
        QTest::newRow(of + "part of the row") << kind << "part" << Slip::Part;
        QTest::newRow(of + "a cell's sign") << kind << "cell sign" << Slip::Sign;
        QTest::newRow(of + "a cell's arithmetic") << kind << "cell" << Slip::Arithmetic;
        QTest::newRow(of + "two cells") << kind << "two cells" << Slip::Unknown;
    }
    QTest::newRow("multiplied, not divided") << QChar(u'd') << "times" << Slip::Multiplier;
    QTest::newRow("multiplied, part") << QChar(u'm') << "part" << Slip::Part;
    QTest::newRow("right as typed") << QChar(u'e') << "" << Slip::None;
}

// The model makes each slip over random systems and operations, and the
// diagnosis names it.
void TestPractice::slips()
{
    QFETCH(QChar, kind);
    QFETCH(QString, made);
    QFETCH(gauss::Slip::Kind, told);
    QRandomGenerator random(33);
    auto nonZero = [&random] {
        return mpq_class(int(random.bounded(1, 10)) * (random.bounded(2) ? 1 : -1));
    };
    for (int trial = 0; trial < 200; ++trial) {
        gauss::ExactSystem s;
        s.rows = 3;
        s.unknowns = int(random.bounded(2, 5));
        for (int r = 1; r <= 3; ++r)
            for (int c = 1; c <= s.unknowns + 1; ++c)
                s.a[r][c] = nonZero();
        RowOperation op{RowOperation::Kind(kinds.indexOf(kind) < 0 ? 4 : kinds.indexOf(kind)), 2,
                        kind == u'e' || kind == u'c' ? 1 : 0, nonZero() / nonZero()};
        op.factor.canonicalize();
        if (kind == u'c')
            op.own = nonZero();
        const int n1 = s.unknowns + 1;
        std::vector<mpq_class> row = gauss::rowWith(s, op, op.factor, op.other);
        const std::vector<mpq_class> right = row;
        const int cell = int(random.bounded(1, n1));
        if (made == "sign" || made == "other" || made == "multiplier")
            row = gauss::rowWith(s, op,
                                 made == "sign"         ? mpq_class(-op.factor)
                                 : made == "multiplier" ? mpq_class(op.factor * 3)
                                                        : op.factor,
                                 made == "other" ? 3 : op.other);
        else if (made == "times")
            row = gauss::rowWith(s, op, 1 / op.factor, 0);
        else if (made == "kept" || made == "apart")
            row[n1] = made == "kept" ? s.a[2][n1] : right[n1] + 1;
        else if (made == "part")
            for (int c = 1; c <= cell; ++c)
                row[c] = s.a[2][c];
        else if (made == "cell sign")
            row[cell] = -row[cell];
        else if (made == "cell" || made == "two cells")
            row[cell] += 1;
        if (made == "two cells")
            row[n1] += 1;
        // A slip the right row, or another slip, happens to make too is no test of this one.
        if (!made.isEmpty() && row == right)
            continue;
        if (made.contains("cell") || made == "apart")
            if (row[cell] == s.a[2][cell] || row[cell] == -right[cell] || row[n1] == -right[n1] ||
                row[n1] == s.a[2][n1])
                continue;
        gauss::TypedRow typed(row.begin(), row.end());
        QVERIFY2(gauss::diagnose(s, op, typed).kind == told,
                 qPrintable(textOf(s) + " " + textOf(op)));
    }
}

QTEST_APPLESS_MAIN(TestPractice)
#include "tst_practice.moc"
