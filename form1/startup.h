#ifndef GAUSS_STARTUP_H
#define GAUSS_STARTUP_H

// What the application sets up before its window is made: shared by the
// program's main and by the benchmark that times the program's start.
void prepareApplication();

#endif
