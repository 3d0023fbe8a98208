#ifndef GAUSS_SHAREDTEXTS_H
#define GAUSS_SHAREDTEXTS_H

// Texts that stand in more than one place: the window's title, which also
// heads the handout.

#include <QString>

namespace texts
{

inline QString windowTitle()
{
    return QStringLiteral("системи линейни уравнения - метод на ГАУС");
}

} // namespace texts

#endif
