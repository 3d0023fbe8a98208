#include "worksheetdialog.h"

#include "exercisewords.h"
#include "gridmessagebox.h"
#include "handout.h"
#include "newexercise.h"
#include "worksheet.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSettings>
#include <QSpinBox>
#include <QStandardPaths>
#include <limits>

namespace
{
const QString settingsName = QStringLiteral("gauss");
const QString group = QStringLiteral("worksheet");
const gauss::ExerciseKind allKinds[] = {gauss::ExerciseKind::One, gauss::ExerciseKind::None,
                                        gauss::ExerciseKind::Many};
} // namespace

WorksheetDialog::WorksheetDialog(QWidget *window) : QDialog(window)
{
    setObjectName(QStringLiteral("WorksheetDialog"));
    setWindowTitle(QStringLiteral("Работен лист"));
    QSettings settings(settingsName, settingsName);
    settings.beginGroup(group);
    auto *form = new QFormLayout(this);
    auto spin = [this](const char *name, int low, int high, int value) {
        return NewExercise::spinBox(this, name, low, high, value);
    };
    problems = spin("problems", 1, gauss::MaxProblems, settings.value("problems", 4).toInt());
    form->addRow(QStringLiteral("&Задачи във вариант:"), problems);
    auto *sizeRow = new QHBoxLayout;
    const QList<QVariant> chosenSizes = settings.value("sizes", QVariantList{3}).toList();
    for (int n = gauss::MinEquations; n <= gauss::MaxEquations; ++n) {
        auto *box = new QCheckBox(QString::number(n), this);
        box->setObjectName(QStringLiteral("size%1").arg(n));
        box->setChecked(chosenSizes.contains(n));
        box->setAccessibleName(QStringLiteral("%1 уравнения").arg(n));
        sizeRow->addWidget(box);
        sizes << box;
    }
    form->addRow(QStringLiteral("Уравнения:"), sizeRow);
    auto *kindRow = new QHBoxLayout;
    const QList<QVariant> chosenKinds = settings.value("kinds", QVariantList{0}).toList();
    for (const gauss::ExerciseKind kind : allKinds) {
        auto *box = new QCheckBox(ExerciseWords::kindName(kind), this);
        box->setObjectName(QStringLiteral("kind_") + ExerciseWords::kindKey(kind));
        box->setChecked(chosenKinds.contains(int(kind)));
        kindRow->addWidget(box);
        kinds << box;
    }
    form->addRow(QStringLiteral("Вид:"), kindRow);
    std::tie(lowest, highest) = NewExercise::addAnswerRange(
        this, form, settings.value("lowest", -5).toInt(), settings.value("highest", 5).toInt());
    twoVariants = new QCheckBox(QStringLiteral("Два &варианта: А и Б"), this);
    twoVariants->setObjectName(QStringLiteral("variants"));
    twoVariants->setChecked(settings.value("variants", 1).toInt() == 2);
    form->addRow(twoVariants);
    worked = new QCheckBox(QStringLiteral("С &решенията стъпка по стъпка"), this);
    worked->setObjectName(QStringLiteral("solutions"));
    worked->setChecked(settings.value("solutions", false).toBool());
    form->addRow(worked);
    // A new seed each time; the one shown is printed, and makes the same sheet again.
    seed = spin("seed", 0, std::numeric_limits<int>::max(),
                int(QRandomGenerator::global()->bounded(1000000)));
    form->addRow(QStringLiteral("&Начално число:"), seed);
    paper = new QComboBox(this);
    paper->setObjectName(QStringLiteral("paper"));
    paper->addItem(QStringLiteral("A4"), int(QPageSize::A4));
    const QPageSize own = Worksheet::printerPaper();
    if (own.id() != QPageSize::A4)
        paper->addItem(QStringLiteral("на принтера: %1").arg(own.name()), int(own.id()));
    form->addRow(QStringLiteral("&Хартия:"), paper);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    buttons->addButton(QStringLiteral("&Запази…"), QDialogButtonBox::AcceptRole);
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

gauss::WorksheetChoice WorksheetDialog::choice() const
{
    gauss::WorksheetChoice choice;
    choice.problems = problems->value();
    choice.sizes.clear();
    for (int i = 0; i < sizes.size(); ++i)
        if (sizes[i]->isChecked())
            choice.sizes.push_back(gauss::MinEquations + i);
    choice.kinds.clear();
    for (int i = 0; i < kinds.size(); ++i)
        if (kinds[i]->isChecked())
            choice.kinds.push_back(allKinds[i]);
    choice.lowest = lowest->value();
    choice.highest = highest->value();
    choice.variants = twoVariants->isChecked() ? 2 : 1;
    choice.seed = std::uint32_t(seed->value());
    return choice;
}

bool WorksheetDialog::solutions() const
{
    return worked->isChecked();
}

// Checked first, so that a bad choice is told and mended in the dialog.
void WorksheetDialog::accept()
{
    const QString why = ExerciseWords::problemWords(gauss::check(choice()));
    if (!why.isEmpty()) {
        GridMessageBox::error(this, why);
        return;
    }
    remember();
    QDialog::accept();
}

void WorksheetDialog::remember() const
{
    QSettings settings(settingsName, settingsName);
    settings.beginGroup(group);
    const gauss::WorksheetChoice chosen = choice();
    settings.setValue("problems", chosen.problems);
    settings.setValue("sizes", QVariantList(chosen.sizes.begin(), chosen.sizes.end()));
    QVariantList kindNumbers;
    for (const gauss::ExerciseKind kind : chosen.kinds)
        kindNumbers << int(kind);
    settings.setValue("kinds", kindNumbers);
    settings.setValue("lowest", chosen.lowest);
    settings.setValue("highest", chosen.highest);
    settings.setValue("variants", chosen.variants);
    settings.setValue("solutions", solutions());
}

void WorksheetDialog::run(QWidget *window)
{
    WorksheetDialog dialog(window);
    if (dialog.exec() == QDialog::Accepted)
        dialog.save();
}

void WorksheetDialog::save()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QFileDialog files(parentWidget(), QStringLiteral("Запази работния лист"),
                      QDir(folder).filePath(QStringLiteral("работен лист.pdf")),
                      QStringLiteral("PDF (*.pdf);;LaTeX (*.tex)"));
    files.setAcceptMode(QFileDialog::AcceptSave);
    files.setDefaultSuffix(QStringLiteral("pdf"));
    connect(&files, &QFileDialog::filterSelected, &files, [&files](const QString &filter) {
        files.setDefaultSuffix(filter.startsWith(u'L') ? QStringLiteral("tex")
                                                       : QStringLiteral("pdf"));
    });
    if (files.exec() != QDialog::Accepted || files.selectedFiles().isEmpty())
        return;
    const QString fileName = files.selectedFiles().constFirst();
    const std::optional<gauss::Worksheet> sheet = gauss::makeWorksheet(choice());
    if (!sheet)
        GridMessageBox::error(parentWidget(), ExerciseWords::notMade());
    else if (!Worksheet::save(*sheet, solutions(),
                              QPageSize(QPageSize::PageSizeId(paper->currentData().toInt())),
                              fileName))
        GridMessageBox::error(parentWidget(), Handout::notWritten(fileName));
}
