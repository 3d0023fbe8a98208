#include "solutionarea.h"

#include "controls.h"
#include "sharedtexts.h"
#include "valuelabel.h"

#include <QLabel>

using namespace controls;

SolutionArea::SolutionArea(QWidget *frame, int rows, const QFont &font, const QColor &values)
    : QObject(frame), names(std::size_t(rows) + 1), valueLabels(std::size_t(rows) + 1)
{
    for (int r = 1; r <= rows; ++r) {
        auto *name = new QLabel(texts::unknownName(r), frame);
        name->setObjectName(QStringLiteral("Label%1").arg(r));
        name->setGeometry(twips(3480, 720 + 360 * (r - 1), 495, 375));
        name->setFont(font);
        names[std::size_t(r)] = name;

        auto *value = new ValueLabel(r, frame);
        value->setObjectName(QStringLiteral("Label%1").arg(10 * r));
        value->setGeometry(twips(3960, 720 + 360 * (r - 1), 1215, 375));
        value->setFont(font);
        setRole(value, QPalette::WindowText, values);
        valueLabels[std::size_t(r)] = value;
    }
}

SolvePresenter::Answer SolutionArea::write(const NumberFormat &format, const mpq_class *x, int n)
{
    SolvePresenter::Answer shown;
    for (int r = 1; r <= n; ++r) {
        name(r)->setText(texts::unknownName(r));
        shown.names << name(r)->text();
    }
    for (int r = 1; r <= n; ++r) {
        shown.values << NumberFormat::ofAnswer(x[r]);
        value(r)->setValue(format, shown.values.last());
    }
    return shown;
}

void SolutionArea::writeExpressions(const QStringList &values)
{
    empty();
    for (int r = 1; r <= int(values.size()) && r < int(names.size()); ++r) {
        name(r)->setText(texts::unknownName(r));
        value(r)->setExpression(values[r - 1]);
    }
}

void SolutionArea::empty()
{
    for (std::size_t r = 1; r < names.size(); ++r) {
        names[r]->setText(QString());
        valueLabels[r]->setText(QString());
        valueLabels[r]->forgetExactValue();
    }
}

void SolutionArea::setView(const NumberFormat &format)
{
    for (std::size_t r = 1; r < names.size(); ++r)
        valueLabels[r]->setView(format);
}

QRect SolutionArea::place() const
{
    return names[1]->geometry() | valueLabels.back()->geometry();
}
