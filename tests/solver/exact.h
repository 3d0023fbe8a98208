#ifndef GAUSS_EXACT_H
#define GAUSS_EXACT_H

// QCOMPARE compares floats fuzzily; the solver's results are checked exactly.

#include <QByteArray>
#include <QTest>

inline QByteArray exactMessage(double actual, double expected)
{
    return QByteArray("actual ") + QByteArray::number(actual, 'g', 17) + ", expected " +
           QByteArray::number(expected, 'g', 17);
}

#define QCOMPARE_EXACT(actual, expected)                                                           \
    QVERIFY2(float(actual) == float(expected), exactMessage(actual, expected).constData())

#endif
