#include "determinantcheck.h"

#include "cramerplayer.h"
#include "gridmessagebox.h"
#include "rownotation.h"

#include <QInputDialog>
#include <QLineEdit>
#include <QRegularExpression>
#include <limits>

namespace DeterminantCheckDialog
{

namespace
{

const QString title = QStringLiteral("ПРОВЕРИ D:");

QString valueText(const NumberFormat &format, const mpq_class &value)
{
    return CramerPlayer::valueText(format, value);
}

// The diagonals' rule's product `number` (1 ...), as its working line writes it.
QString productText(const gauss::DeterminantWorking &w, int number, const NumberFormat &format)
{
    const gauss::DiagonalProduct &p = w.products[std::size_t(number) - 1];
    QStringList factors;
    for (const gauss::Place &at : p.factors)
        factors << CramerPlayer::factorText(format, w.matrix.a[at.row][at.column]);
    return QStringLiteral("%1%2 = %3")
        .arg(p.added ? QString() : QStringLiteral("− "), factors.join(QStringLiteral(" · ")),
             valueText(format, p.added ? p.value : mpq_class(-p.value)));
}

QStringList verdict(const gauss::DeterminantWorking &w, const gauss::DeterminantCheck &check,
                    const std::vector<mpq_class> &terms, const mpq_class &value,
                    const NumberFormat &format)
{
    const QString yours = valueText(format, value);
    switch (check.result) {
    case gauss::DeterminantCheck::Right:
        return {QStringLiteral("Вярно: D = %1.").arg(yours)};
    case gauss::DeterminantCheck::WrongProduct:
        return {QStringLiteral("Произведение %1 не е вярно.").arg(check.product),
                QStringLiteral("Трябва да е %1.").arg(productText(w, check.product, format))};
    case gauss::DeterminantCheck::ExtraTerms:
        return {QStringLiteral("Произведенията са %1, а написахте %2 числа.")
                    .arg(w.products.size())
                    .arg(terms.size())};
    case gauss::DeterminantCheck::WrongSum: {
        mpq_class sum = 0;
        for (const mpq_class &term : terms)
            sum += term;
        return {QStringLiteral("Произведенията са верни, но сборът им е %1, а не %2.")
                    .arg(valueText(format, sum), yours)};
    }
    case gauss::DeterminantCheck::WrongValue:
        break;
    }
    return {QStringLiteral("Не е вярно: D не е %1.").arg(yours),
            w.products.empty()
                ? QStringLiteral("Стъпките показва „Детерминанта“ в менюто на таблицата.")
                : QStringLiteral("Напишете и произведенията, за да видите кое не е вярно.")};
}

} // namespace

bool read(const QString &typed, std::vector<mpq_class> &terms, mpq_class &value)
{
    QString text = typed.trimmed();
    text.remove(QRegularExpression(QStringLiteral("^D\\s*=")));
    const QStringList parts = text.split(u'=');
    if (!RowNotation::readNumber(parts.last().trimmed(), value))
        return false;
    terms.clear();
    if (parts.size() == 1)
        return true;
    // Signs stand alone or before their numbers: "−4 − 4 + 3", "-4 -4 3".
    static const QRegularExpression between(QStringLiteral("\\s+|;"));
    int sign = 1;
    for (QString word :
         parts.mid(0, parts.size() - 1).join(u' ').split(between, Qt::SkipEmptyParts)) {
        word.replace(QChar(0x2212), u'-').replace(QChar(0x2013), u'-');
        if (word == u"+" || word == u"-") {
            sign = word == u"-" ? -sign : sign;
            continue;
        }
        mpq_class term;
        if (!RowNotation::readNumber(word, term))
            return false;
        terms.push_back(sign < 0 ? mpq_class(-term) : term);
        sign = 1;
    }
    return true;
}

void ask(QWidget *window, const gauss::Square &m, const NumberFormat &format, const QRect &block)
{
    const gauss::DeterminantWorking w = gauss::determinantOf(m);
    const QString label =
        w.products.empty()
            ? QStringLiteral("Вашата D:")
            : QStringLiteral("Вашата D: произведенията със знаците им и след „=“ стойността, "
                             "например „-4 - 4 + 3 = -5“, или само стойността:");
    QString typed;
    for (;;) {
        bool given = false;
        typed = QInputDialog::getText(window, title, label, QLineEdit::Normal, typed, &given);
        if (!given)
            return;
        std::vector<mpq_class> terms;
        mpq_class value;
        if (read(typed, terms, value)) {
            const QStringList lines =
                verdict(w, gauss::checkDeterminant(w, terms, value), terms, value, format);
            GridMessageBox::tell(
                window, {title, lines.value(0), QMessageBox::NoIcon, lines.mid(1), {}}, block);
            return;
        }
        GridMessageBox::error(window, QStringLiteral("„%1“ не се чете като числа: пишете "
                                                     "например „-4 - 4 + 3 = -5“ или само „-5“.")
                                          .arg(typed));
    }
}

} // namespace DeterminantCheckDialog
