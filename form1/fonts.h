#ifndef GAUSS_FONTS_H
#define GAUSS_FONTS_H

// The faces the program draws with and their stand-ins, in one place: the
// window's, the handout's, the narrow face of shortened numbers and a copy's.

#include <QStringList>

// Each list leads with its first face that is installed and scalable. For a
// first face it cannot find, Qt has fontconfig sort every installed font,
// once for each style and script drawn; and a bitmap-only face, as Windows'
// own MS Sans Serif is, has a few sizes and no bold, where zoom and high-DPI
// screens need its scalable successor.
namespace fonts
{

// The face a control was drawn with, then the sans-serif stand-ins.
QStringList window(const QString &face);
// The sans-serif stand-ins alone: a PDF embeds the faces it draws with.
QStringList handout();
// Narrower letters of the same kind, which keep more digits of a shortened number.
QStringList narrow();
// What a word processor sets pasted HTML in unless told otherwise: Times New
// Roman, or Liberation Serif, which has its widths.
QStringList document();

} // namespace fonts

#endif
