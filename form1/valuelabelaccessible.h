#ifndef GAUSS_VALUELABELACCESSIBLE_H
#define GAUSS_VALUELABELACCESSIBLE_H

#include <QAccessibleWidget>

class ValueLabel;

// What a screen reader says for a value label of the solution area: "x1 = 2".
// The caption alone would not tell which unknown it belongs to, and a fixed
// name "x1" would hide the value. An empty label says nothing. The name
// follows the caption, since a label without a fixed name reports each change.
// Where the caption rounds the value, the description tells it exactly, as
// hovering does: "точно 7/3".
class ValueLabelAccessible : public QAccessibleWidget
{
public:
    explicit ValueLabelAccessible(ValueLabel *label);

    QString text(QAccessible::Text t) const override;

    // Makes every ValueLabel speak so.
    static void install();

private:
    static QAccessibleInterface *create(const QString &key, QObject *object);
};

#endif
