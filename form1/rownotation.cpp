#include "rownotation.h"

#include "numbertext.h"

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

QString factor(float value)
{
    return u'(' + gauss::numberText(value) + u')';
}

} // namespace

QStringList lines(const gauss::RowOps &ops)
{
    QStringList lines;
    for (const gauss::RowOp &op : ops) {
        switch (op.kind) {
        case gauss::RowOp::Exchange:
            lines << line({row(op.row), Exchange, row(op.other)});
            break;
        case gauss::RowOp::Divide:
            lines << line({row(op.row), Becomes, row(op.row), Divided, factor(op.factor)});
            break;
        case gauss::RowOp::Eliminate:
            if (op.factor == 0)
                break;
            lines << line({row(op.row), Becomes, row(op.row), Minus, factor(op.factor), Times,
                           row(op.other)});
            break;
        }
    }
    if (lines.isEmpty())
        lines << Unchanged.toString();
    return lines;
}

} // namespace RowNotation
