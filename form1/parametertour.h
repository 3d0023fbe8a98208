#ifndef GAUSS_PARAMETERTOUR_H
#define GAUSS_PARAMETERTOUR_H

// "Реши сам" with a parameter: the student's general working over Q(a), what
// its divisions assume, the cases left to examine and the verdict over them all.

#include "numberformat.h"
#include "parameter.h"

#include <QStringList>
#include <optional>

class ParameterTour
{
public:
    explicit ParameterTour(const gauss::ParameterAnalysis &analysis);

    QChar letter() const { return analysis.system.letter; }
    const gauss::ParametricSystem &typed() const { return analysis.system; }
    gauss::ParameterPractice &general() { return working; }
    const gauss::ParameterPractice &general() const { return working; }

    // Applies an operation check() lets through, and returns its warnings:
    // "при a = -2 делите на нула: разгледайте a = -2 отделно", or none.
    QStringList apply(const gauss::ParameterOperation &op);
    bool takeBack();

    // Every value where the general working may not hold: where the analysis
    // finds another verdict, and where the student's operations assumed a
    // factor non-zero. By the factor's degree, then its root.
    std::vector<gauss::Polynomial> cases() const;
    // The next case with a rational value not yet worked, if any.
    std::optional<gauss::Polynomial> nextCase() const;
    // The system at a case's value, for a practice of its own.
    gauss::ExactSystem system(const gauss::Polynomial &factor) const;
    // A case worked: its verdict in the view's words, kept for the end.
    void worked(const gauss::Polynomial &factor, const InBothViews<QString> &verdict);
    void forget(const gauss::Polynomial &factor);

    // The general end and the cases, one paragraph a case, "при …: …": the
    // student's verdicts where he has worked them, the program's where no
    // numeric practice can (a² - 2 = 0), and those still to do named.
    QStringList verdict(NumberFormat::View view) const;
    // The general solution beside each unknown (ParameterWords::generalValues).
    QStringList generalValues(NumberFormat::View view) const;
    // "Остава да разгледате: a = -2, a = 2." or nothing.
    QString left() const;

private:
    const gauss::ParameterCase *caseOf(const gauss::Polynomial &factor) const;
    bool isWorked(const gauss::Polynomial &factor) const;

    gauss::ParameterAnalysis analysis;
    gauss::ParameterPractice working;
    std::vector<std::vector<gauss::Polynomial>> assumed; // by each operation
    std::vector<std::pair<gauss::Polynomial, InBothViews<QString>>> done;
};

#endif
