#ifndef GAUSS_QTTRANSLATION_H
#define GAUSS_QTTRANSLATION_H

// Qt draws some words of its own: a text box's context menu, the buttons of a
// message box. The window is Bulgarian whatever the desktop's language, so
// these are too, from Qt's own Bulgarian translation where it is installed.
// Returns whether it was found; without it Qt's words stay English.
bool installBulgarianQtTexts();

#endif
