#include "fonts.h"

#include <QFontDatabase>

namespace
{

// Faces with Cyrillic that the program's package depends on, and on Windows
// the face Liberation Sans copies.
QStringList sansSerif()
{
    return {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans"),
            QStringLiteral("Arial")};
}

QStringList installedFirst(QStringList families)
{
    families.removeDuplicates();
    static const QStringList installed = QFontDatabase::families();
    for (int i = 0; i < families.size(); ++i) {
        if (installed.contains(families[i], Qt::CaseInsensitive) &&
            QFontDatabase::isSmoothlyScalable(families[i])) {
            families.move(i, 0);
            break;
        }
    }
    return families;
}

} // namespace

QStringList fonts::window(const QString &face)
{
    // Microsoft Sans Serif stands in for MS Sans Serif where Windows has it.
    return installedFirst(QStringList{face, QStringLiteral("Microsoft Sans Serif")} + sansSerif());
}

QStringList fonts::handout()
{
    static const QStringList families = installedFirst(sansSerif());
    return families;
}

QStringList fonts::narrow()
{
    static const QStringList families =
        installedFirst({QStringLiteral("Liberation Sans Narrow"),
                        QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("Arial Narrow")});
    return families;
}

QStringList fonts::document()
{
    static const QStringList families =
        installedFirst({QStringLiteral("Liberation Serif"), QStringLiteral("Times New Roman")});
    return families;
}
