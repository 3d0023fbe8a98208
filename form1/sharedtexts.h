#ifndef GAUSS_SHAREDTEXTS_H
#define GAUSS_SHAREDTEXTS_H

// Texts that stand in more than one place: the window's title, which also
// heads the handout, and the names the grid and the solution give things.

#include <QString>

namespace texts
{

inline QString windowTitle()
{
    return QStringLiteral("системи линейни уравнения - метод на ГАУС");
}

// The name of unknown x<unknown> in the solution area: "x1=".
inline QString unknownName(int unknown)
{
    return QStringLiteral("x%1=").arg(unknown);
}

// A cell's place, as every message names it.
inline QString cellPlace(int row, int column)
{
    return QStringLiteral("ред %1, колона %2").arg(row).arg(column);
}

// "3 уравнения с 4 неизвестни", "1 уравнение с 1 неизвестно".
inline QString shapeWords(int rows, int unknowns)
{
    return QStringLiteral("%1 %2 с %3 %4")
        .arg(rows)
        .arg(rows == 1 ? QStringLiteral("уравнение") : QStringLiteral("уравнения"))
        .arg(unknowns)
        .arg(unknowns == 1 ? QStringLiteral("неизвестно") : QStringLiteral("неизвестни"));
}

// A step's prompt, as its box and every working name it: "(ПРАВ ХОД) стъпка:3".
// The title of Cramer's boxes.
inline QString cramerTitle()
{
    return QStringLiteral("КРАМЕР:");
}

// The title of the determinant's boxes.
inline QString determinantTitle()
{
    return QStringLiteral("ДЕТЕРМИНАНТА:");
}

inline QString stepPrompt(bool forward, int nomer)
{
    return (forward ? QStringLiteral("(ПРАВ ХОД) стъпка:")
                    : QStringLiteral("(ОБРАТЕН ХОД) стъпка:")) +
           QString::number(nomer);
}

// What a step of the exact working says of a column without a pivot.
inline QString freeColumn(int column)
{
    return QStringLiteral("в колона %1 няма водещ елемент: x%1 е свободно неизвестно").arg(column);
}

} // namespace texts

#endif
