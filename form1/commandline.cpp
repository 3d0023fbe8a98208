#include "commandline.h"

#include "exercisewords.h"
#include "handout.h"
#include "worksheet.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QRandomGenerator>
#include <cstdio>

namespace CommandLine
{

namespace
{

const QString worksheetName = QStringLiteral("worksheet");
const QStringList valueOptions{worksheetName, "problems", "size", "kind", "lowest",
                               "highest",     "variants", "seed", "paper"};

void addOptions(QCommandLineParser &parser)
{
    parser.setApplicationDescription(QStringLiteral(
        "Без опции програмата отваря прозореца си. С --worksheet пише работен лист със задачи, "
        "отговори и, ако е поискано, решения, без да отваря прозорец: PDF или LaTeX (.tex)."));
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addHelpOption();
    parser.addOptions({
        {worksheetName, QStringLiteral("Работният лист се записва във ФАЙЛ (.pdf или .tex)."),
         QStringLiteral("ФАЙЛ")},
        {"problems", QStringLiteral("Задачи във вариант, от 1 до %1 (4).").arg(gauss::MaxProblems),
         "N", "4"},
        {"size", QStringLiteral("Уравнения на задача, 2 до 9; няколко със запетаи: 2,3 (3)."), "N",
         "3"},
        {"kind",
         QStringLiteral("Вид: one (едно решение), none (няма решение), many (безброй "
                        "решения); няколко със запетаи (one)."),
         QStringLiteral("ВИД"), "one"},
        {"lowest", QStringLiteral("Най-малкият отговор, от -%1 (-5).").arg(gauss::MaxAnswer), "N",
         "-5"},
        {"highest", QStringLiteral("Най-големият отговор, до %1 (5).").arg(gauss::MaxAnswer), "N",
         "5"},
        {"variants", QStringLiteral("Варианти: 1 или 2, А и Б (1)."), "N", "1"},
        {"solutions", QStringLiteral("И решенията стъпка по стъпка.")},
        {"seed",
         QStringLiteral("Начално число: същото число и същите опции дават същия лист "
                        "(ново всеки път)."),
         "S"},
        {"paper", QStringLiteral("Хартия: a4, letter или printer, хартията на принтера (a4)."),
         QStringLiteral("ХАРТИЯ"), "a4"},
    });
}

int fail(const QString &why)
{
    std::fprintf(stderr, "gauss: %s\n", qPrintable(why));
    return 2;
}

// A whole number, or a list of them, or nothing where one does not read.
std::optional<std::vector<int>> numbers(const QString &text)
{
    std::vector<int> read;
    for (const QString &part : text.split(u',')) {
        bool ok = false;
        read.push_back(part.trimmed().toInt(&ok));
        if (!ok)
            return std::nullopt;
    }
    return read;
}

QString notNumber(const QString &option, const QString &value)
{
    return QStringLiteral("--%1 иска цяло число, а не „%2“.").arg(option, value);
}

// The choice as the options give it, or why they do not.
std::optional<gauss::WorksheetChoice> choiceOf(const QCommandLineParser &parser, QString &why)
{
    gauss::WorksheetChoice choice;
    std::vector<int *> singles{&choice.problems, &choice.lowest, &choice.highest, &choice.variants};
    const QStringList singleNames{"problems", "lowest", "highest", "variants"};
    for (int i = 0; i < singleNames.size(); ++i) {
        const std::optional<std::vector<int>> read = numbers(parser.value(singleNames[i]));
        if (!read || read->size() != 1) {
            why = notNumber(singleNames[i], parser.value(singleNames[i]));
            return std::nullopt;
        }
        *singles[std::size_t(i)] = read->front();
    }
    const std::optional<std::vector<int>> sizes = numbers(parser.value("size"));
    if (!sizes) {
        why = notNumber("size", parser.value("size"));
        return std::nullopt;
    }
    choice.sizes = *sizes;
    choice.kinds.clear();
    for (const QString &name : parser.value("kind").split(u',')) {
        bool known = false;
        for (const gauss::ExerciseKind kind :
             {gauss::ExerciseKind::One, gauss::ExerciseKind::None, gauss::ExerciseKind::Many})
            if (name.trimmed() == ExerciseWords::kindKey(kind)) {
                choice.kinds.push_back(kind);
                known = true;
            }
        if (!known) {
            why = QStringLiteral("--kind е one, none или many, а не „%1“.").arg(name);
            return std::nullopt;
        }
    }
    bool ok = true;
    choice.seed = parser.isSet("seed") ? parser.value("seed").toUInt(&ok)
                                       : QRandomGenerator::global()->bounded(1000000u);
    if (!ok) {
        why = QStringLiteral("--seed иска цяло число от 0 до 4294967295, а не „%1“.")
                  .arg(parser.value("seed"));
        return std::nullopt;
    }
    return choice;
}

std::optional<QPageSize> paperOf(const QString &name)
{
    if (name == QStringLiteral("a4"))
        return QPageSize(QPageSize::A4);
    if (name == QStringLiteral("letter"))
        return QPageSize(QPageSize::Letter);
    if (name == QStringLiteral("printer"))
        return Worksheet::printerPaper();
    return std::nullopt;
}

} // namespace

void prepare(int argc, char *argv[])
{
    QStringList wanted{"-h", "-?", "--help", "--help-all", "--solutions"};
    for (const QString &name : valueOptions)
        wanted << QStringLiteral("--") + name;
    for (int i = 1; i < argc; ++i) {
        const QString given = QString::fromLocal8Bit(argv[i]).section(u'=', 0, 0);
        // QCommandLineParser takes -worksheet for --worksheet too.
        if ((wanted.contains(given) || wanted.contains(u'-' + given)) &&
            qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
    }
}

std::optional<int> run(const QStringList &arguments)
{
    QCommandLineParser parser;
    addOptions(parser);
    const bool parsed = parser.parse(arguments);
    bool asked = parser.isSet(QStringLiteral("help")) || parser.isSet("solutions");
    for (const QString &name : valueOptions)
        asked = asked || parser.isSet(name);
    if (!asked)
        return std::nullopt; // the window, as ever
    if (!parsed)
        return fail(parser.errorText());
    if (parser.isSet(QStringLiteral("help"))) {
        std::fputs(qPrintable(parser.helpText()), stdout);
        return 0;
    }
    if (!parser.isSet(worksheetName))
        return fail(QStringLiteral("Опциите на работния лист вървят с --worksheet ФАЙЛ."));
    QString why;
    const std::optional<gauss::WorksheetChoice> choice = choiceOf(parser, why);
    const std::optional<QPageSize> paper = paperOf(parser.value("paper"));
    if (!choice)
        return fail(why);
    if (!paper)
        return fail(QStringLiteral("--paper е a4, letter или printer, а не „%1“.")
                        .arg(parser.value("paper")));
    why = ExerciseWords::problemWords(gauss::check(*choice));
    if (!why.isEmpty())
        return fail(why);
    const std::optional<gauss::Worksheet> sheet = gauss::makeWorksheet(*choice);
    if (!sheet)
        return fail(ExerciseWords::notMade());
    const QString file = parser.value(worksheetName);
    if (!Worksheet::save(*sheet, parser.isSet("solutions"), *paper, file))
        return fail(Handout::notWritten(file));
    std::printf("%s\n", qPrintable(QStringLiteral("Работният лист е записан в „%1“. %2.")
                                       .arg(file, Worksheet::seedLine(choice->seed))));
    return 0;
}

} // namespace CommandLine
