#ifndef GAUSS_NUMBERFORMAT_H
#define GAUSS_NUMBERFORMAT_H

// The view of the working's numbers, seven-digit decimals or exact fractions:
// the text each view gives a number, and the choice kept between starts.

#include <QString>
#include <array>
#include <gmpxx.h>

class NumberFormat
{
public:
    enum View { Decimals, Fractions };

    // A number of the working in both views: its decimal text, which the
    // decimal view shows, and its exact value, which the fraction view shows.
    struct Number {
        QString decimal;
        mpq_class exact;
    };
    // A number the passes made: single is the seven-digit working's value,
    // NaN where that working had stopped, and then the decimal is the exact
    // value's seven digits.
    static Number ofWorking(float single, const mpq_class &exact);
    // An unknown's value: the decimal is it rounded once, as every answer is.
    static Number ofAnswer(const mpq_class &exact);

    explicit NumberFormat(View view = Decimals) : shown(view) {}
    View view() const { return shown; }

    // The number as this view writes it: the decimal, or the exact value as
    // an integer or a fraction in lowest terms ("-8/17").
    QString text(const Number &number) const;
    QString text(float single, const mpq_class &exact) const;
    // What hovering the number adds to its text in this view: its exact value
    // ("точно 7/3") or its decimal ("десетично 0.3333333"); empty where the
    // text says it all.
    QString note(const Number &number) const;
    // The view's name, as it is spoken when chosen.
    QString name() const;

    // The view the user chose last, kept from one start to the next.
    static View saved();
    static void save(View view);

private:
    View shown;
};

// One thing in each view, indexed by NumberFormat::View.
template <typename T> using InBothViews = std::array<T, 2>;

#endif
