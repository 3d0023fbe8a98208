#include "startup.h"

#include "announcer.h"
#include "valuelabel.h"

#include <QAccessible>
#include <QApplication>
#include <QIcon>
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

// Qt's own words (a cell's menu, the buttons of its dialogs) in Bulgarian,
// whatever the locale; without the translation they stay as they are. The
// Windows build carries the translation inside; elsewhere it is Qt's own.
void installBulgarianQtTexts()
{
    auto *translator = new QtBaseBulgarian(QCoreApplication::instance());
    const QString name = QStringLiteral("qtbase_bg");
    if (!(translator->load(name, QStringLiteral(":/i18n")) ||
          translator->load(name, QLibraryInfo::path(QLibraryInfo::TranslationsPath))) ||
        !QCoreApplication::installTranslator(translator))
        delete translator;
}

} // namespace

void prepareApplication()
{
    static bool prepared = false;
    if (prepared)
        return;
    prepared = true;
    installBulgarianQtTexts();
    // The desktop entry's name lets the desktop match the window to its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("bg.edu.gauss"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/gauss-256.png")));
    QAccessible::installFactory(&ValueLabel::accessible);
    QAccessible::installFactory(&Announcer::accessible);
}
