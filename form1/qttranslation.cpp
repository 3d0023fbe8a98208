#include "qttranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace
{

// The message boxes keep their "OK": it is what Bulgarian users meet on most
// message boxes, and Bulgarian speech reads it well. Every other word of Qt's
// translation is taken as it is.
class QtBaseBulgarian : public QTranslator
{
public:
    using QTranslator::QTranslator;

    QString translate(const char *context, const char *sourceText, const char *disambiguation,
                      int n) const override
    {
        if (qstrcmp(context, "QPlatformTheme") == 0 && qstrcmp(sourceText, "OK") == 0)
            return QString();
        return QTranslator::translate(context, sourceText, disambiguation, n);
    }
};

} // namespace

bool installBulgarianQtTexts()
{
    auto *translator = new QtBaseBulgarian(QCoreApplication::instance());
    if (translator->load(QStringLiteral("qtbase_bg"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
        QCoreApplication::installTranslator(translator))
        return true;
    delete translator;
    return false;
}
