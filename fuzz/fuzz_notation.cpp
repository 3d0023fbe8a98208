// Reading a row operation as a student types it: whatever the text, the
// reader answers, the part it names is the student's own text, and what it
// accepts writes out in the full notation and reads back as the same
// operation. The same for a number alone, "-3/2", "(1,5)".

#include "rownotation.h"

#include "numbertext.h"

#include <QLocale>
#include <cstdint>
#include <cstdlib>

namespace
{

void check(bool holds)
{
    if (!holds)
        std::abort();
}

void operation(const QString &text)
{
    const RowNotation::Reading reading = RowNotation::read(text);
    // The refusal quotes the part where reading stopped.
    check(reading.part.isEmpty() || text.contains(reading.part));
    if (reading.problem != RowNotation::Reading::None)
        return;
    const QString full = RowNotation::text(reading.operation);
    const RowNotation::Reading again = RowNotation::read(full);
    check(again.problem == RowNotation::Reading::None && again.operation == reading.operation);
}

void number(const QString &text)
{
    mpq_class value;
    if (!RowNotation::readNumber(text, value))
        return;
    check(value.get_den() > 0);
    mpq_class again;
    check(RowNotation::readNumber(gauss::fractionText(value), again) && again == value);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // The first byte picks the user's decimal sign: a comma as in Bulgaria,
    // or a point.
    if (size == 0)
        return 0;
    static const QLocale bulgarian(QLocale::Bulgarian);
    QLocale::setDefault(data[0] & 1 ? bulgarian : QLocale::c());
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    operation(text);
    number(text);
    return 0;
}
