#include "determinantcheck.h"

#include "cramerplayer.h"
#include "gridmessagebox.h"
#include "parametertext.h"
#include "parameterwords.h"
#include "rownotation.h"

#include <QInputDialog>
#include <QLineEdit>
#include <QRegularExpression>
#include <functional>
#include <limits>
#include <optional>

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

// The sign the working's exchanges bring, and D.
QString signLine(int exchanges, const QString &d)
{
    if (exchanges == 0)
        return QStringLiteral("Редовете не се разменят, затова знакът е +: D = %1.").arg(d);
    if (exchanges == 1)
        return QStringLiteral("Една размяна на редове сменя знака: D = %1.").arg(d);
    return QStringLiteral("Размените на редове са %1 и всяка сменя знака: D = %2.")
        .arg(exchanges)
        .arg(d);
}

// The verdicts on a product of the triangular matrix's diagonal.
QStringList eliminationVerdict(const gauss::DeterminantWorking &w,
                               const gauss::DeterminantCheck &check, const QString &yours,
                               const NumberFormat &format)
{
    const QString made = valueText(format, check.made);
    switch (check.result) {
    case gauss::DeterminantCheck::WrongFactor:
        return {QStringLiteral("Множител %1 не е верен: трябва да е %2.")
                    .arg(check.product)
                    .arg(valueText(format, check.expected)),
                QStringLiteral("Толкова е елементът в ред %1, стълб %1 на триъгълната матрица; "
                               "стъпките показва „Детерминанта“ в менюто на таблицата.")
                    .arg(check.column)};
    case gauss::DeterminantCheck::WrongSign:
        return {QStringLiteral("Множителите са верни, но знакът не е."),
                signLine(gauss::eliminationProduct(w).exchanges, valueText(format, w.value))};
    case gauss::DeterminantCheck::FactorCount:
        return {QStringLiteral("Множителите са %1, по един от всеки ред на триъгълната матрица.")
                    .arg(check.product)};
    case gauss::DeterminantCheck::WrongMultiplication:
        return {QStringLiteral("Произведението е вярно, но е равно на %1, а не на %2.")
                    .arg(made, yours)};
    default:
        return {QStringLiteral("Вярно: D = %1.").arg(yours),
                QStringLiteral("Произведението на написаните множители обаче е %1.").arg(made)};
    }
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
    case gauss::DeterminantCheck::WrongFactor:
    case gauss::DeterminantCheck::WrongSign:
    case gauss::DeterminantCheck::FactorCount:
    case gauss::DeterminantCheck::WrongMultiplication:
    case gauss::DeterminantCheck::RightValue:
        return eliminationVerdict(w, check, yours, format);
    case gauss::DeterminantCheck::WrongValue:
        break;
    }
    return {QStringLiteral("Не е вярно: D не е %1.").arg(yours),
            w.rule == gauss::DeterminantWorking::Elimination
                ? QStringLiteral("Напишете и множителите, за да видите кой не е верен.")
            : w.products.empty()
                ? QStringLiteral("Стъпките показва „Детерминанта“ в менюто на таблицата.")
                : QStringLiteral("Напишете и произведенията, за да видите кое не е вярно.")};
}

// How a working is typed: the label's words and the example that the label
// and the complaint about what does not read both give.
struct Typing {
    QString how;
    QString example;
    QString alone;
};

const Typing byDiagonals{QStringLiteral("произведенията със знаците им и след „=“ стойността"),
                         QStringLiteral("-4 - 4 + 3 = -5"), QStringLiteral("-5")};
const Typing byElimination{
    QStringLiteral("произведението от диагонала на триъгълната матрица със знака от размените "
                   "на редове и след „=“ стойността"),
    QStringLiteral("-2 · 3 · (-1) · 4 = 24"), QStringLiteral("24")};

// What is typed without the name before it: "D =", "D(a) =".
QString withoutName(const QString &typed)
{
    static const QRegularExpression name(QStringLiteral("^D\\s*(\\(\\s*\\w\\s*\\))?\\s*="));
    return typed.trimmed().remove(name);
}

// "−2 · 3 · (−1) · 4 = 24", "2 * 3 * (-1) * 4", or the value alone: a minus
// before the product is the exchanges' sign, a factor's own is in brackets.
bool readProduct(const QString &typed, gauss::TypedProduct &product)
{
    static const QRegularExpression times(QStringLiteral("[·*×]"));
    const QStringList parts = withoutName(typed).split(u'=');
    const bool factored = parts[0].contains(times);
    product = {};
    mpq_class value;
    if (parts.size() > 2 || (parts.size() == 2 && !factored))
        return false;
    if (parts.size() == 2 || !factored) {
        if (!RowNotation::readNumber(parts.last().trimmed(), value))
            return false;
        product.value = value;
    }
    if (!factored)
        return true;
    QString factors = parts[0].trimmed();
    if (factors.startsWith(u'-') || factors.startsWith(QChar(0x2212))) {
        product.negated = true;
        factors.remove(0, 1);
    }
    for (const QString &factor : factors.split(times)) {
        if (!RowNotation::readNumber(factor.trimmed(), value))
            return false;
        product.factors.push_back(value);
    }
    return true;
}

using VerdictOf = std::function<std::optional<QStringList>(const QString &)>;

// Asks until what is typed reads, and tells its verdict; nothing where cancelled.
// unreadable: what a text should have been, after "„…“ не се чете като ".
void askUntilRead(QWidget *window, const QString &label, const QString &unreadable,
                  const VerdictOf &verdictOf, const QRect &block)
{
    QString typed;
    for (;;) {
        bool given = false;
        typed = QInputDialog::getText(window, title, label, QLineEdit::Normal, typed, &given);
        if (!given)
            return;
        if (const std::optional<QStringList> lines = verdictOf(typed)) {
            GridMessageBox::tell(
                window, {title, lines->value(0), QMessageBox::NoIcon, lines->mid(1), {}}, block);
            return;
        }
        GridMessageBox::error(window,
                              QStringLiteral("„%1“ не се чете като %2").arg(typed, unreadable));
    }
}

void askFor(QWidget *window, const Typing &typing, const VerdictOf &verdictOf, const QRect &block)
{
    askUntilRead(window,
                 QStringLiteral("Вашата D: %1, например „%2“, или само стойността:")
                     .arg(typing.how, typing.example),
                 QStringLiteral("числа: пишете например „%1“ или само „%2“.")
                     .arg(typing.example, typing.alone),
                 verdictOf, block);
}

} // namespace

bool read(const QString &typed, std::vector<mpq_class> &terms, mpq_class &value)
{
    const QStringList parts = withoutName(typed).split(u'=');
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
    if (w.rule == gauss::DeterminantWorking::Elimination) {
        askFor(
            window, byElimination,
            [&](const QString &typed) -> std::optional<QStringList> {
                gauss::TypedProduct product;
                if (!readProduct(typed, product))
                    return std::nullopt;
                const mpq_class value = product.value.value_or(0);
                return verdict(w, gauss::checkElimination(w, product), {}, value, format);
            },
            block);
        return;
    }
    askFor(
        window, byDiagonals,
        [&](const QString &typed) -> std::optional<QStringList> {
            std::vector<mpq_class> terms;
            mpq_class value;
            if (!read(typed, terms, value))
                return std::nullopt;
            return verdict(w, gauss::checkDeterminant(w, terms, value), terms, value, format);
        },
        block);
}

void askParametric(QWidget *window, const gauss::RationalFunction &d, QChar letter,
                   const NumberFormat &format)
{
    const QString factored = QStringLiteral("D = ") + ParameterWords::factored(d, letter);
    const QString example = QStringLiteral("„%1^2 - 4“ или „(%1 - 2)(%1 + 2)“").arg(letter);
    askUntilRead(
        window,
        QStringLiteral("Вашата D като израз в %1, например %2:").arg(QString(letter), example),
        QStringLiteral("израз в %1: пишете например %2.").arg(QString(letter), example),
        [&](const QString &typed) -> std::optional<QStringList> {
            QChar used = letter;
            gauss::Polynomial yours;
            if (gauss::readPolynomial(withoutName(typed).section(u'=', -1), used, yours) !=
                gauss::ParameterError::None)
                return std::nullopt;
            const gauss::ParametricCheck check = gauss::checkParametric(d, yours);
            if (check.right)
                return QStringList{QStringLiteral("Вярно: %1.").arg(factored)};
            return QStringList{QStringLiteral("Не е вярно: при %1 = %2 вашата D е %3, а D е %4.")
                                   .arg(letter)
                                   .arg(valueText(format, check.at), valueText(format, check.yours),
                                        valueText(format, check.value)),
                               factored};
        },
        {});
}

} // namespace DeterminantCheckDialog
