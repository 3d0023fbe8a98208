#ifndef GAUSS_COMMANDLINE_H
#define GAUSS_COMMANDLINE_H

// The command line: worksheets made without the window ("gauss --worksheet
// lists.pdf --problems 6 --size 3 --seed 42"), and its --help.

#include <QStringList>
#include <optional>

namespace CommandLine
{

// Before the application is made: a worksheet or the help needs no display,
// so Qt is given its offscreen platform unless one is named.
void prepare(int argc, char *argv[]);

// With --worksheet, --help or one of the worksheet's options: does what is
// asked and gives the program's exit code, 0 when done. Otherwise nothing,
// and the program opens its window as ever.
std::optional<int> run(const QStringList &arguments);

} // namespace CommandLine

#endif
