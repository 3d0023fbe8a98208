#ifndef GAUSS_WORKSHEET_H
#define GAUSS_WORKSHEET_H

// A worksheet as a paper: each variant's problems with room to work, the key
// "Отговори", and optionally each worked solution as the handout shows it;
// saved as PDF, or as LaTeX where the file name ends in .tex.

#include "exercise.h"

#include <QPageSize>
#include <QString>

namespace Worksheet
{

// "Работен лист", "Вариант А", "Начално число: 42".
QString title();
QString variantName(int variant); // from 0
QString seedLine(std::uint32_t seed);
QString problemName(int problem); // "Задача 1." from 0
QString answersTitle();

// The printer's own paper, or A4 where there is no printer.
QPageSize printerPaper();

// False where the file cannot be written.
bool save(const gauss::Worksheet &sheet, bool solutions, const QPageSize &paper,
          const QString &fileName);
bool savePdf(const gauss::Worksheet &sheet, bool solutions, const QPageSize &paper,
             const QString &fileName);

} // namespace Worksheet

#endif
