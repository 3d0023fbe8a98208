#include "announcer.h"

#include <QAccessibleWidget>

namespace
{

class AnnouncerAccessible : public QAccessibleWidget
{
public:
    explicit AnnouncerAccessible(Announcer *announcer)
        : QAccessibleWidget(announcer, QAccessible::Notification)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name ? static_cast<Announcer *>(widget())->sentence()
                                      : QAccessibleWidget::text(t);
    }
};

} // namespace

// A label that takes no room and shows nothing: the sentence is for the ear alone.
Announcer::Announcer(QWidget *window, const QString &sentence) : QLabel(window), said(sentence)
{
    setObjectName(QStringLiteral("announcer"));
    setGeometry(0, 0, 1, 1);
}

// Qt 6.4 has no announcement of its own; a notification that appears is what
// a screen reader reads out of itself.
void Announcer::announce(QWidget *window, const QString &sentence)
{
    delete window->findChild<Announcer *>(QString(), Qt::FindDirectChildrenOnly);
    (new Announcer(window, sentence))->show();
}

QAccessibleInterface *Announcer::accessible(const QString &key, QObject *object)
{
    auto *announcer = qobject_cast<Announcer *>(object);
    return key == QLatin1String("Announcer") && announcer ? new AnnouncerAccessible(announcer)
                                                          : nullptr;
}
