#ifndef GAUSS_STARTUP_H
#define GAUSS_STARTUP_H

// What the application sets up before its window is made: Qt's texts in
// Bulgarian, the desktop's name and icon, and how labels speak.

// Shared by the program's main, the benchmark that times the program's start
// and the tests that drive the window.
void prepareApplication();

#endif
