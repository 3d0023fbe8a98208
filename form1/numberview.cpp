#include "numberview.h"

#include "fonts.h"
#include "numbertext.h"

#include <QFontMetricsF>
#include <QHash>
#include <QHelpEvent>
#include <QList>
#include <QToolTip>
#include <QWidget>
#include <array>
#include <unordered_map>

namespace
{

// Below this a number's figures are hard to read; only a number that cannot
// be shortened further into its room is drawn smaller.
constexpr qreal SmallestPoints = 9;
constexpr qreal PointStep = 0.5;
constexpr qreal LastResortPoints = 6;
constexpr std::size_t MeasuredFonts = 64;

std::size_t fontHash(const QFont &font)
{
    return qHash(font);
}

// The same letters, narrower: a shortened number keeps more of its digits.
QFont narrowed(QFont font, qreal points)
{
    font.setFamilies(fonts::narrow());
    font.setPointSizeF(points);
    return font;
}

// The advances of a font's characters, each measured once: shaping a long
// number's every shortened form, cell by cell and step by step, cost more
// than the whole elimination.
class Advances
{
public:
    explicit Advances(const QFont &font) : metrics(font) { ascii.fill(-1); }
    qreal of(QChar c)
    {
        if (c.unicode() < ascii.size()) {
            qreal &known = ascii[c.unicode()];
            if (known < 0)
                known = metrics.horizontalAdvance(c);
            return known;
        }
        const auto known = others.constFind(c);
        return known != others.cend() ? *known : others[c] = metrics.horizontalAdvance(c);
    }
    // The width of text: a number text is the sum of its characters'
    // advances, since digits and signs do not kern; anything else is shaped.
    qreal width(const QString &text)
    {
        static const QString numberCharacters = QStringLiteral("0123456789+-/.,Ee \u2026");
        qreal sum = 0;
        for (const QChar c : text) {
            if (!numberCharacters.contains(c))
                return metrics.horizontalAdvance(text);
            sum += of(c);
        }
        return sum;
    }

private:
    QFontMetricsF metrics;
    std::array<qreal, 128> ascii;
    QHash<QChar, qreal> others;
};

// The few sizes the cells and the labels try, in the zooms the user picks.
// A reference lasts until the next font is asked for.
Advances &advancesOf(const QFont &font)
{
    static std::unordered_map<QFont, Advances, decltype(&fontHash)> measured(MeasuredFonts,
                                                                             &fontHash);
    auto known = measured.find(font);
    if (known == measured.end()) {
        if (measured.size() >= MeasuredFonts)
            measured.clear();
        known = measured.emplace(font, Advances(font)).first;
    }
    return known->second;
}

} // namespace

// A line edit scrolls a text wider than itself to its end, and a label cuts
// it; either way the part shown reads as another number. So the whole text is
// tried in smaller sizes down to 9 pt and in the narrow face, then shortened;
// only the shortest form of a number, which 9 pt cannot hold, is drawn
// smaller still.
FittedNumber fitNumber(const QString &text, const QFont &font, int room, bool endElided)
{
    auto fits = [room](const QFont &f, const QString &t) { return advancesOf(f).width(t) <= room; };
    if (text.isEmpty() || fits(font, text))
        return {text, font};

    QList<QFont> smaller;
    for (qreal points = font.pointSizeF() - PointStep; points >= SmallestPoints;
         points -= PointStep) {
        smaller << font;
        smaller.last().setPointSizeF(points);
    }
    smaller << narrowed(font, SmallestPoints);
    for (const QFont &f : smaller)
        if (fits(f, text))
            return {text, f};

    QFont smallest = font;
    smallest.setPointSizeF(SmallestPoints);
    QList<QFont> shortening{smallest, narrowed(font, SmallestPoints)};
    for (qreal points = SmallestPoints - PointStep; points >= LastResortPoints; points -= PointStep)
        shortening << narrowed(font, points);
    for (const QFont &f : shortening) {
        Advances &advances = advancesOf(f);
        const QString shown =
            gauss::elideNumberText(text, room, [&advances](QChar c) { return advances.of(c); });
        if (fits(f, shown))
            return {shown, f};
    }
    // Not a number, or too long for any size: the box's own way then, or an
    // expression's beginning, which the hover shows whole.
    if (endElided)
        return {QFontMetrics(smallest).elidedText(text, Qt::ElideRight, room), smallest};
    return {text, font};
}

const FittedNumber &NumberFit::operator()(const QString &forText, const QFont &inFont, int width)
{
    if (room != width || text != forText || font != inFont) {
        text = forText;
        font = inFont;
        room = width;
        fitted = fitNumber(text, font, room, endElided);
    }
    return fitted;
}

void ExactNote::set(const NumberFormat &view, const NumberFormat::Number &number)
{
    written = view.text(number);
    format = view;
    value = number;
    known = true;
}

void ExactNote::forget()
{
    *this = ExactNote();
}

QString ExactNote::description(const QString &text) const
{
    return shows(text) ? format.note(value) : QString();
}

bool numberToolTipEvent(QWidget *box, QEvent *event, const QString &text,
                        const std::function<QString()> &drawn, const ExactNote &exact)
{
    if (event->type() != QEvent::ToolTip || !box->toolTip().isEmpty())
        return false;
    QStringList lines;
    if (drawn() != text)
        lines << text;
    if (const QString value = exact.description(text); !value.isEmpty())
        lines << value;
    if (lines.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(static_cast<QHelpEvent *>(event)->globalPos(), lines.join(u'\n'), box);
    return true;
}
