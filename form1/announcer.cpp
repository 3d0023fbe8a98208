#include "announcer.h"

#include <QAccessible>
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
        return t == QAccessible::Name ? static_cast<Announcer *>(widget())->lastSentence()
                                      : QAccessibleWidget::text(t);
    }
};

} // namespace

// A label that takes no room and shows nothing: the sentence is for the ear alone.
Announcer::Announcer(QWidget *window) : QLabel(window)
{
    setObjectName(QStringLiteral("announcer"));
    setGeometry(0, 0, 1, 1);
    setFocusPolicy(Qt::NoFocus);
}

// Qt 6.4 has no announcement of its own; a notification that shows is what a
// screen reader reads out of itself.
void Announcer::announce(const QString &text)
{
    sentence = text;
    QAccessibleEvent renamed(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&renamed);
    QAccessibleEvent shown(this, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
}

QAccessibleInterface *Announcer::accessible(const QString &key, QObject *object)
{
    auto *announcer = qobject_cast<Announcer *>(object);
    return key == QLatin1String("Announcer") && announcer ? new AnnouncerAccessible(announcer)
                                                          : nullptr;
}
