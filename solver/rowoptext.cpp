#include "rowoptext.h"

#include "numbertext.h"

namespace gauss
{

QStringList rowOpLines(const RowOps &ops)
{
    const QString row = QStringLiteral("ред %1");
    QStringList lines;
    for (const RowOp &op : ops) {
        switch (op.kind) {
        case RowOp::Exchange:
            lines << row.arg(op.row) + QStringLiteral(" ↔ ") + row.arg(op.other);
            break;
        case RowOp::Divide:
            lines << row.arg(op.row) + QStringLiteral(" = ") + row.arg(op.row) +
                         QStringLiteral(" : (%1)").arg(numberText(op.factor));
            break;
        case RowOp::Eliminate:
            if (op.factor == 0)
                break;
            lines << row.arg(op.row) + QStringLiteral(" = ") + row.arg(op.row) +
                         QStringLiteral(" − (%1) · ").arg(numberText(op.factor)) +
                         row.arg(op.other);
            break;
        }
    }
    if (lines.isEmpty())
        lines << QStringLiteral("без промяна");
    return lines;
}

} // namespace gauss
