#ifndef GAUSS_VALUELABELACCESSIBLE_H
#define GAUSS_VALUELABELACCESSIBLE_H

#include <QAccessibleWidget>

class QLabel;

// What a screen reader says for a value label of the solution area: "x1 = 2".
// The caption alone would not tell which unknown it belongs to, and a fixed
// name "x1" would hide the value. An empty label says nothing. The name
// follows the caption, since a label without a fixed name reports each change.
class ValueLabelAccessible : public QAccessibleWidget
{
public:
    ValueLabelAccessible(QLabel *label, int unknown);

    QString text(QAccessible::Text t) const override;

    // Makes label speak as the value of the unknown x<unknown>.
    static void attach(QLabel *label, int unknown);

private:
    static QAccessibleInterface *create(const QString &key, QObject *object);
    int unknown;
};

#endif
