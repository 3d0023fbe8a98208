// Number texts: what the grid shows and what it reads back, in a pinned locale.

#include "exact.h"
#include "exacttwin.h"
#include "numbertext.h"

#include <QLocale>
#include <QTest>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

using gauss::elideNumberText;
using gauss::numberText;
using gauss::readNumber;
using gauss::roundTo3;

namespace
{

// An exact text as the rows give it: whole, or "start… (digits)" where the
// start is cut, never rounded, and the digits are those of a long decimal, or
// the numerator's/the denominator's.
QString summary(const gauss::ExactText &exact)
{
    switch (exact.kind) {
    case gauss::ExactText::LongDecimal:
        return QStringLiteral("%1… (%2)").arg(exact.text).arg(exact.significantDigits);
    case gauss::ExactText::LongFraction:
        return QStringLiteral("%1… (%2/%3)")
            .arg(exact.text)
            .arg(exact.numeratorDigits)
            .arg(exact.denominatorDigits);
    case gauss::ExactText::Whole:
        break;
    }
    return exact.text;
}

} // namespace

class TestNumberText : public QObject
{
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(QLocale::c()); }
    void cleanupTestCase() { QLocale::setDefault(QLocale::system()); }

    void writing_data();
    void writing();
    void reading_data();
    void reading();
    void notNumbers_data();
    void notNumbers();
    void unreadable_data();
    void unreadable();
    void belowTheRange();
    void roundTrip();
    void bulgarian();
    void rounding_data();
    void rounding();
    void elision_data();
    void elision();
    void exact_data();
    void exact();
    void answer_data();
    void answer();
};

void TestNumberText::writing_data()
{
    QTest::addColumn<float>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero") << 0.0f << "0";
    QTest::newRow("negative zero") << -0.0f << "0";
    QTest::newRow("integral") << 2.0f << "2";
    QTest::newRow("half") << 2.5f << "2.5";
    QTest::newRow("negative") << -2.0f / 3.0f << "-0.6666667";
    QTest::newRow("one third") << 1.0f / 3.0f << "0.3333333";
    QTest::newRow("two thirds") << 2.0f / 3.0f << "0.6666667";
    QTest::newRow("six digits before the point") << 999999.5f << "999999.5";
    QTest::newRow("seven digits") << 1234567.0f << "1234567";
    QTest::newRow("rounds up to ten million") << 9999999.0f << "9999999";
    QTest::newRow("ten million") << 1e7f << "1E+07";
    QTest::newRow("mantissa rounded") << 12345678.0f << "1.234568E+07";
    QTest::newRow("one ten-thousandth") << 0.0001f << "0.0001";
    QTest::newRow("one hundred-thousandth") << 0.00001f << "1E-05";
    QTest::newRow("largest float") << std::numeric_limits<float>::max() << "3.402823E+38";
    QTest::newRow("smallest normal") << std::numeric_limits<float>::min() << "1.175494E-38";
    QTest::newRow("smallest subnormal")
        << std::numeric_limits<float>::denorm_min() << "1.401298E-45";
    QTest::newRow("negative exponent form") << -1.5e-20f << "-1.5E-20";
}

void TestNumberText::writing()
{
    QFETCH(float, value);
    QFETCH(QString, text);
    QCOMPARE(numberText(value), text);
}

void TestNumberText::reading_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<float>("value");
    QTest::newRow("integer") << "3" << 3.0f;
    QTest::newRow("negative") << "-1" << -1.0f;
    QTest::newRow("decimal") << "0.1" << 0.1f;
    QTest::newRow("no leading digit") << ".5" << 0.5f;
    QTest::newRow("no trailing digit") << "5." << 5.0f;
    QTest::newRow("exponent form") << "1.234568E+07" << 12345680.0f;
    QTest::newRow("negative exponent") << "1E-05" << 1e-5f;
    QTest::newRow("lower-case e") << "2.5e3" << 2500.0f;
    QTest::newRow("exponent without sign") << "1E5" << 1e5f;
    QTest::newRow("leading plus") << "+7" << 7.0f;
    QTest::newRow("surrounding blanks") << "  4.25 \t" << 4.25f;
    QTest::newRow("largest float") << "3.4028234663852886E+38" << std::numeric_limits<float>::max();
    // Just below the midpoint between the largest float and 2^128.
    QTest::newRow("rounds down to the largest")
        << "3.40282356e38" << std::numeric_limits<float>::max();
    // Correct rounding from the decimal, not via double: 1 + 2^-24 + 2^-60
    // lies above the midpoint, although the nearest double is the midpoint.
    QTest::newRow("no double rounding") << "1.000000059604644776" << std::nextafter(1.0f, 2.0f);
    // A fraction is rounded once, from its exact value.
    QTest::newRow("fraction") << "1/3" << 1.0f / 3.0f;
    QTest::newRow("negative fraction") << " -2/7 " << -2.0f / 7.0f;
    QTest::newRow("decimal over integer") << "1.5/4" << 0.375f;
    QTest::newRow("integer over decimal") << "3/0.5" << 6.0f;
    QTest::newRow("fraction of exponent forms") << "1E-30/4E-30" << 0.25f;
    QTest::newRow("fraction to the largest float")
        << "1.7014117E+38/0.5" << std::numeric_limits<float>::max();
    // Only the quotient needs to be a float, not its parts.
    QTest::newRow("parts beyond the float range") << "1e50/1e20" << 1e30f;
    QTest::newRow("over a number beyond the range") << "1/1E+39" << 1e-39f;
    // As the program prints it, and as other programs and people write it.
    QTest::newRow("the minus sign") << "−2" << -2.0f;
    QTest::newRow("en dash, minus in the exponent") << "–2E−05" << -2e-5f;
    QTest::newRow("in brackets") << " (−1/3) " << -1.0f / 3.0f;
    QTest::newRow("vulgar fraction") << "¾" << 0.75f;
    QTest::newRow("negative vulgar fraction") << "-⅓" << -1.0f / 3.0f;
    QTest::newRow("whole and vulgar fraction") << "−1½" << -1.5f;
    QTest::newRow("whole and fraction, as a spreadsheet") << "2 1/04" << 2.25f;
    QTest::newRow("fraction slash") << "3⁄8" << 0.375f;
}

void TestNumberText::reading()
{
    QFETCH(QString, text);
    QFETCH(float, value);
    float read = -123;
    QVERIFY(readNumber(text, read));
    QCOMPARE(read, value);
}

void TestNumberText::notNumbers_data()
{
    QTest::addColumn<QString>("text");
    for (const char *text : {"",        "   ",
                             "a13",     "x",
                             "1a",      "1 2",
                             "--1",     "+-1",
                             "1e",      "1e+",
                             "E5",      ".",
                             "-",       "0x10",
                             "0X1p3",   "inf",
                             "-inf",    "Infinity",
                             "nan",     "NaN",
                             "1,5",     "1,000",
                             "1.2.3",   "3.5e38",
                             "-1e39",   "1e999999999999",
                             "٣",       "1/0",
                             "0/0",     "1/-2",
                             "1/+2",    "1 /2",
                             "1/ 2",    "1/2/3",
                             "/2",      "1/",
                             "3E38/0.5"})
        QTest::newRow(text[0] ? text : "empty") << QString::fromUtf8(text);
}

void TestNumberText::notNumbers()
{
    QFETCH(QString, text);
    float value = 42;
    QVERIFY(!readNumber(text, value));
    QCOMPARE(value, 42.0f); // a failed read leaves the target alone
}

void TestNumberText::unreadable_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("why");
    auto row = [](const char *locale, const char *text, gauss::Unreadable why) {
        QTest::newRow(text) << QString(locale) << QString::fromUtf8(text) << int(why);
    };
    row("C", "abc", gauss::Unreadable::NoNumber);
    row("C", "1/-2", gauss::Unreadable::NoNumber);
    for (const char *text : {"1.5½", "½½", "(1/3", "((2))", "1 -1/2", "1 1.5/2", "⅟"})
        row("C", text, gauss::Unreadable::NoNumber);
    row("C", "1E39", gauss::Unreadable::TooLarge);
    row("C", "1E+38/1E-38", gauss::Unreadable::TooLarge);
    row("C", "1E-1001/2", gauss::Unreadable::TooSmall);
    row("C", "1/0", gauss::Unreadable::ZeroDenominator);
    row("C", "-0/0.000", gauss::Unreadable::ZeroDenominator);
    row("bg_BG", "1.5/4", gauss::Unreadable::OtherSeparator);
    row("bg_BG", "2/0.5", gauss::Unreadable::OtherSeparator);
}

// Why a cell is refused, which its message says.
void TestNumberText::unreadable()
{
    QFETCH(QString, locale);
    QFETCH(QString, text);
    QFETCH(int, why);
    QLocale::setDefault(QLocale(locale));
    float value = 0;
    QVERIFY(!readNumber(text, value));
    QCOMPARE(int(gauss::whyUnreadable(text)), why);
}

void TestNumberText::belowTheRange()
{
    float value = 1;
    QVERIFY(readNumber("1e-50", value));
    QCOMPARE(value, 0.0f);
    QVERIFY(readNumber("-1e-999999", value));
    QVERIFY(value == 0 && std::signbit(value));
    QVERIFY(readNumber("1e-45", value));
    QCOMPARE(value, std::numeric_limits<float>::denorm_min());
    QVERIFY(readNumber("0.000000000000000000000000000000000000000000001", value));
    QCOMPARE(value, std::numeric_limits<float>::denorm_min());
    QVERIFY(readNumber("0e999999", value));
    QCOMPARE(value, 0.0f);
}

// In every locale Qt knows, every text the grid shows is the C locale's text
// with only the decimal separator exchanged, and reads back as the same number
// as that text, which is the value itself whenever seven digits tell it apart.
void TestNumberText::roundTrip()
{
    std::vector<float> samples{0.1f,
                               -2.75f,
                               1.0f / 3.0f,
                               1e-30f,
                               6.02e23f,
                               123.456f,
                               -9.999999e-5f,
                               -1234567.0f,
                               std::numeric_limits<float>::max(),
                               -std::numeric_limits<float>::max(),
                               std::numeric_limits<float>::denorm_min()};
    std::mt19937 rng(20261207u);
    std::uniform_real_distribution<float> mantissa(-10, 10);
    std::uniform_int_distribution<int> exponent(-44, 37);
    while (samples.size() < 300)
        samples.push_back(mantissa(rng) * std::pow(10.0f, float(exponent(rng))));

    QStringList cTexts;
    std::vector<float> cValues;
    for (float value : samples) {
        cTexts << numberText(value);
        float read = 0;
        QVERIFY2(readNumber(cTexts.last(), read), qPrintable(cTexts.last()));
        QCOMPARE(numberText(read), cTexts.last());
        cValues.push_back(read);
    }
    const auto locales =
        QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory);
    QVERIFY(locales.size() > 100);
    for (const QLocale &locale : locales) {
        QLocale::setDefault(locale);
        for (std::size_t at = 0; at < samples.size(); ++at) {
            const QString text = numberText(samples[at]);
            const QString where = locale.name() + QLatin1Char(' ') + text;
            QVERIFY2(text == QString(cTexts[int(at)]).replace(u'.', locale.decimalPoint()),
                     qPrintable(where));
            float read = 0;
            QVERIFY2(readNumber(text, read) && read == cValues[at], qPrintable(where));
        }
    }
}

void TestNumberText::bulgarian()
{
    QLocale::setDefault(QLocale(QLocale::Bulgarian, QLocale::Bulgaria));
    QCOMPARE(numberText(2.5f), QStringLiteral("2,5"));
    QCOMPARE(numberText(-1.0f / 3.0f), QStringLiteral("-0,3333333"));
    QCOMPARE(numberText(12345678.0f), QStringLiteral("1,234568E+07"));
    QCOMPARE(numberText(1234567.0f), QStringLiteral("1234567"));
    float value = 0;
    QVERIFY(readNumber(QStringLiteral("0,1"), value));
    QCOMPARE(value, 0.1f);
    QVERIFY(readNumber(QStringLiteral("1,234568E+07"), value));
    QCOMPARE(value, 12345680.0f);
    QVERIFY(!readNumber(QStringLiteral("0.1"), value));
    mpq_class exact;
    QVERIFY(readNumber(QStringLiteral("1,5/4"), value, exact));
    QCOMPARE(exact, mpq_class(3, 8));
    for (float sample : {0.3f, -7.125f, 1e-12f, 4.5e20f}) {
        QVERIFY(readNumber(numberText(sample), value));
        QCOMPARE(numberText(value), numberText(sample));
    }
}

void TestNumberText::rounding_data()
{
    QTest::addColumn<float>("value");
    QTest::addColumn<float>("rounded");
    QTest::newRow("half to even, down") << 0.0625f << 0.062f;
    QTest::newRow("half to even, up") << 0.1875f << 0.188f;
    QTest::newRow("negative half") << -0.0625f << -0.062f;
    QTest::newRow("one third") << 1.0f / 3.0f << 0.333f;
    QTest::newRow("minus two thirds") << -2.0f / 3.0f << -0.667f;
    QTest::newRow("integral") << 2.0f << 2.0f;
    QTest::newRow("tiny") << 1e-9f << 0.0f;
    QTest::newRow("huge") << 3e38f << 3e38f;
}

void TestNumberText::rounding()
{
    QFETCH(float, value);
    QFETCH(float, rounded);
    QCOMPARE(roundTo3(value), rounded);
}

void TestNumberText::elision_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("room"); // in characters
    QTest::addColumn<QString>("shown");
    QTest::newRow("fits") << "-0,05851404" << 11 << "-0,05851404";
    QTest::newRow("negative") << "-0,05851404" << 8 << "-0,0585…";
    QTest::newRow("as much as fits") << "-0,05851404" << 10 << "-0,058514…";
    QTest::newRow("never below three digits") << "-0,05851404" << 3 << "-0,0585…";
    QTest::newRow("exponent kept whole") << "1,192093E-07" << 9 << "1,19…E-07";
    QTest::newRow("negative exponent form") << "-1,234568E+07" << 11 << "-1,234…E+07";
    QTest::newRow("every digit before the separator") << "-1234,567" << 4 << "-1234…";
    QTest::newRow("no bare separator") << "123,4567" << 5 << "123…";
    QTest::newRow("cannot be shortened") << "1234567" << 4 << "1234567";
    QTest::newRow("exponent, short mantissa") << "1,5E-20" << 4 << "1,5E-20";
    QTest::newRow("not a number") << "abcdefgh" << 4 << "abcdefgh";
    QTest::newRow("fraction that fits") << "-8/17" << 5 << "-8/17";
    QTest::newRow("longer part cut first") << "123/45678901" << 8 << "123/456…";
    QTest::newRow("both parts cut") << "-12345678/987654321" << 12 << "-1234…/9876…";
    QTest::newRow("fraction, never below two digits") << "-12345678/987654321" << 3 << "-12…/98…";
    QTest::newRow("typed fraction left alone") << "12,5/45678" << 4 << "12,5/45678";
    QTest::newRow("long integer, never its tail")
        << "-8000000000000000000000000000000000000000" << 5 << "-800…";
}

void TestNumberText::elision()
{
    QFETCH(QString, text);
    QFETCH(int, room);
    QFETCH(QString, shown);
    QCOMPARE(elideNumberText(text, room, [](QChar) { return 1.0; }), shown);
}

void TestNumberText::exact_data()
{
    QTest::addColumn<QString>("typed"); // a number text, or else a fraction
    QTest::addColumn<QString>("readable");
    QTest::addColumn<QString>("answer"); // three decimals, as a value label shows it
    QTest::addColumn<float>("single");
    QTest::newRow("a tenth, which no float is") << "0.1"
                                                << "0.1"
                                                << "0.1" << 0.1f;
    QTest::newRow("third") << "7/3"
                           << "7/3"
                           << "2.333" << 7.0f / 3.0f;
    QTest::newRow("negative fraction") << "-8/17"
                                       << "-8/17"
                                       << "-0.471" << -8.0f / 17.0f;
    QTest::newRow("half to even, down") << "1/16"
                                        << "0.0625"
                                        << "0.062" << 0.0625f;
    QTest::newRow("half to even, up") << "3/16"
                                      << "0.1875"
                                      << "0.188" << 0.1875f;
    QTest::newRow("seven digits and more") << "-12345678/1"
                                           << "-12345678"
                                           << "-1.234568E+07" << -12345678.0f;
    QTest::newRow("the nearest float from the decimal") << "1.000000059604644776"
                                                        << "1.000000059604644776"
                                                        << "1" << std::nextafter(1.0f, 2.0f);
    QTest::newRow("rounds to the smallest subnormal")
        << "1.40129846E-45"
        << "1.40129846E-45"
        << "0" << std::numeric_limits<float>::denorm_min();
    QTest::newRow("below half the smallest") << "7E-46"
                                             << "7E-46"
                                             << "0" << 0.0f;
    QTest::newRow("beyond the float range")
        << "1000000000000000000000000000000000000000000000000000000000000/1"
        << "1E+60"
        << "1E+60" << std::numeric_limits<float>::infinity();
    QTest::newRow("long fraction")
        << "1000000000000000000000000000000/999999999999999999999999999999"
        << "1.000000000000000… (31/30)"
        << "1" << 1.0f;
    QTest::newRow("as many decimals as taken") << "1E-1000"
                                               << "1E-1000"
                                               << "0" << 0.0f;
    QTest::newRow("many digits") << "0.123456789012345678901234567890123456789"
                                 << "0.1234567890123456… (39)"
                                 << "0.123" << 0.12345679f;
}

// Exact values as typed and as shown: the reader's exact result, the texts
// that show it, and its nearest float.
void TestNumberText::exact()
{
    QFETCH(QString, typed);
    QFETCH(QString, readable);
    QFETCH(QString, answer);
    QFETCH(float, single);
    mpq_class value;
    float read = 0;
    if (readNumber(typed, read, value)) {
        QCOMPARE_EXACT(read, single); // one reader: the float is the exact value's nearest
    } else {
        QVERIFY(std::isinf(single)); // only a value beyond the float range is refused
        value = mpq_class(typed.toStdString(), 10);
        value.canonicalize();
    }
    QCOMPARE(summary(gauss::exactText(value)), readable);
    QCOMPARE(gauss::decimalText(gauss::roundAnswer(value)), answer);
    QCOMPARE_EXACT(gauss::toFloat(value), single);
    QCOMPARE(gauss::showsExactly(readable, value),
             std::isfinite(single) && !readable.contains(u'…'));
    QCOMPARE(gauss::showsExactly(numberText(single), value),
             readable == numberText(single)); // "0.1" is a tenth; "0.3333333" is no third
}

// An answer is rounded once: to three decimals, and to seven significant
// digits where those come first, an exact half to the even digit.
void TestNumberText::answer_data()
{
    QTest::addColumn<QString>("exact"); // a fraction, or a decimal read exactly
    QTest::addColumn<QString>("shown");
    QTest::newRow("no carry through three decimals") << "10826834/191"
                                                     << "56684.99";
    QTest::newRow("just below a half") << "12345.6749996"
                                       << "12345.67";
    QTest::newRow("seven digits first") << "123456.7495"
                                        << "123456.7";
    QTest::newRow("half, to even below") << "123456.25"
                                         << "123456.2";
    QTest::newRow("half, to even above") << "123456.75"
                                         << "123456.8";
    QTest::newRow("half at three decimals") << "0.0625"
                                            << "0.062";
    QTest::newRow("negative half") << "-2.0005"
                                   << "-2";
    QTest::newRow("carry to a new digit") << "99999.995"
                                          << "100000";
    QTest::newRow("beyond seven digits") << "12345678.5"
                                         << "1.234568E+07";
    QTest::newRow("below three decimals") << "1/3000"
                                          << "0";
    QTest::newRow("third") << "-1/3"
                           << "-0.333";
}

void TestNumberText::answer()
{
    QFETCH(QString, exact);
    QFETCH(QString, shown);
    mpq_class value;
    float single = 0;
    if (exact.contains(u'/')) {
        value = mpq_class(exact.toStdString(), 10);
        value.canonicalize();
    } else {
        QVERIFY(readNumber(exact, single, value));
    }
    QCOMPARE(gauss::decimalText(gauss::roundAnswer(value)), shown);
}

QTEST_GUILESS_MAIN(TestNumberText)
#include "tst_numbertext.moc"
