#include "rownotation.h"

#include <cmath>
#include <initializer_list>

namespace RowNotation
{

namespace
{

QString line(std::initializer_list<QStringView> parts)
{
    QString text;
    for (const QStringView part : parts) {
        if (!text.isEmpty())
            text += u' ';
        text += part;
    }
    return text;
}

QString row(int number)
{
    return line({Row, QString::number(number)});
}

QString factor(const gauss::RowOp &op, const NumberFormat &format)
{
    return u'(' + format.text(op.factor, op.exact) + u')';
}

bool changesNothing(const gauss::RowOp &op, const NumberFormat &format)
{
    if (format.view() == NumberFormat::Fractions || std::isnan(op.factor))
        return op.exact == 0;
    return op.factor == 0;
}

} // namespace

QStringList lines(const gauss::RowOps &ops, const NumberFormat &format)
{
    QStringList lines;
    for (const gauss::RowOp &op : ops) {
        switch (op.kind) {
        case gauss::RowOp::Exchange:
            lines << line({row(op.row), Exchange, row(op.other)});
            break;
        case gauss::RowOp::Divide:
            lines << line({row(op.row), Becomes, row(op.row), Divided, factor(op, format)});
            break;
        case gauss::RowOp::Eliminate:
            if (changesNothing(op, format))
                break;
            lines << line({row(op.row), Becomes, row(op.row), Minus, factor(op, format), Times,
                           row(op.other)});
            break;
        }
    }
    if (lines.isEmpty())
        lines << Unchanged.toString();
    return lines;
}

} // namespace RowNotation
