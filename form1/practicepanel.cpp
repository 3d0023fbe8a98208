#include "practicepanel.h"

#include "announcer.h"
#include "determinantcheck.h"
#include "exactwords.h"
#include "gridcell.h"
#include "numbertext.h"
#include "parameterwords.h"
#include "record.h"
#include "rownotation.h"
#include "slipwords.h"
#include "zoom.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QVBoxLayout>

namespace
{

const QColor openCell(255, 255, 170); // a cell of the row the student computes
const QColor wrongCell(255, 190, 120);
const QColor rightMark(0, 110, 0); // the ✓ of a cell found right, dark on the cell's white

// What the record says of a row whose right values were shown.
constexpr QStringView ShownWords = u"Показан верният ред.";

// Room between the panel and what it keeps in sight, in pixels.
constexpr int Gap = 8;

QString quoted(const QString &text)
{
    return u'„' + text + u'“';
}

// "при a = 2 …" as a sentence of its own: "При a = 2 ….", one a line.
QString sentences(const QStringList &clauses)
{
    QStringList lines;
    for (const QString &clause : clauses)
        lines << clause.front().toUpper() + clause.mid(1) + u'.';
    return lines.join(u'\n');
}

// "1 операция", "14 операции"
QString operationsWords(int count)
{
    return QStringLiteral("%1 %2").arg(count).arg(count == 1 ? QStringLiteral("операция")
                                                             : QStringLiteral("операции"));
}

// "14 операции; методът на програмата: 12"
// "9 операции, 2 подсказки; методът на програмата: 9".
QString countWords(int own, int method, int hints)
{
    const QString used = hints == 0   ? QString()
                         : hints == 1 ? QStringLiteral(", 1 подсказка")
                                      : QStringLiteral(", %1 подсказки").arg(hints);
    return QStringLiteral("%1%2; методът на програмата: %3")
        .arg(operationsWords(own), used)
        .arg(method);
}

template <class E> QString problemWords(const RowNotation::BasicReading<E> &reading)
{
    using Problem = RowNotation::Reading::Problem;
    const QString part = quoted(reading.part);
    QString wanted;
    switch (reading.problem) {
    case Problem::None:
    case Problem::Empty:
        return QStringLiteral("Напишете операция, например „р2 = р2 - 3/2 р1“ или „р1 <-> р3“.");
    case Problem::NoRow:
        wanted = QStringLiteral("ред, например „ред 2“ или „р2“");
        break;
    case Problem::NoSign:
        wanted = QStringLiteral("знак: „=“, „<->“, „:“, „/“, „*“, „+“ или „-“");
        break;
    case Problem::NoNumber:
        wanted = QStringLiteral("число, например 3, -1%1 или 3/2")
                     .arg(QLocale().decimalPoint() + QStringLiteral("5"));
        break;
    case Problem::NotSameRow:
        return QStringLiteral("След „=“ стои %1, а трябва редът, който се променя: „ред %2“.")
            .arg(part)
            .arg(reading.operation.row);
    case Problem::OtherSeparator:
        return QStringLiteral("Не разбирам %1: десетичният знак е „%2“.")
            .arg(part, QLocale().decimalPoint());
    case Problem::ZeroDenominator:
        return QStringLiteral("В %1 знаменателят е нула.").arg(part);
    case Problem::Extra:
        return QStringLiteral("Операцията свършва преди %1.").arg(part);
    case Problem::NoExpression:
        return QStringLiteral("Не разбирам %1: изразът с параметъра се пише като 2a, (a + 2) "
                              "или a/(a + 2).")
            .arg(part);
    }
    return reading.part.isEmpty()
               ? QStringLiteral("Операцията не е довършена: липсва %1.").arg(wanted)
               : QStringLiteral("Не разбирам %1: тук трябва %2.").arg(part, wanted);
}

// What could not be read, and where it began with a row, the forms the
// reader knows for that row: the nearest to what the student meant.
template <class E> QString readingWords(const RowNotation::BasicReading<E> &reading)
{
    using Problem = RowNotation::Reading::Problem;
    const int row = reading.operation.row;
    const bool begun =
        row >= 1 && (reading.problem == Problem::NoSign || reading.problem == Problem::NoRow ||
                     reading.problem == Problem::Extra);
    if (!begun)
        return problemWords(reading);
    const int other = row == 1 ? 2 : 1;
    using gauss::RowOperation;
    RowOperation combined{RowOperation::Combine, row, other, -3};
    combined.own = 2;
    const QStringList forms{RowNotation::text({RowOperation::Eliminate, row, other, 3}),
                            RowNotation::text(combined),
                            RowNotation::text({RowOperation::Divide, row, 0, 2}),
                            RowNotation::text({RowOperation::Exchange, row, other, 0})};
    return problemWords(reading) + QStringLiteral("\nФормите за ред %1: %2.")
                                       .arg(row)
                                       .arg(forms.join(QStringLiteral("; ")));
}

template <class E>
QString refusalWords(gauss::Refusal refusal, const gauss::FieldOperation<E> &op, int n)
{
    using RowOperation = gauss::FieldOperation<E>;
    switch (refusal) {
    case gauss::Refusal::None:
        break;
    case gauss::Refusal::RowOutside:
        return QStringLiteral("Системата има редове от 1 до %1; ред %2 не е сред тях.")
            .arg(n)
            .arg(op.row >= 1 && op.row <= n ? op.other : op.row);
    case gauss::Refusal::ZeroFactor:
        if (op.kind == RowOperation::Divide)
            return QStringLiteral("На 0 не се дели.");
        if (op.kind == RowOperation::Multiply || gauss::isZero(op.own))
            return QStringLiteral("Умножен по 0, ред %1 губи уравнението си.").arg(op.row);
        return QStringLiteral("0 пъти ред не променя нищо.");
    case gauss::Refusal::SameRow:
        if (op.kind == RowOperation::Exchange)
            return QStringLiteral("Ред %1 не се разменя със себе си.").arg(op.row);
        return QStringLiteral("Към ред %1 не се добавя кратно на самия него; изберете друг ред.")
            .arg(op.row);
    }
    return QString();
}

} // namespace

PracticePanel::PracticePanel(QWidget *window, const Grid &grid, const gauss::ExactSystem &system,
                             const Working::Block &typed, Working &working)
    : QWidget(window, Qt::Tool), window(window), grid(grid), practice(system), typed(typed),
      working(working), methodCount(gauss::methodLength(system))
{
    start();
}

PracticePanel::PracticePanel(QWidget *window, const Grid &grid,
                             const gauss::ParameterAnalysis &analysis, const Working::Block &typed,
                             Working &working)
    : QWidget(window, Qt::Tool), window(window), grid(grid), practice(gauss::ExactSystem()),
      tour(std::make_unique<ParameterTour>(analysis)), general(true), typed(typed),
      working(working), methodCount(gauss::methodLength(tour->general().current()))
{
    start();
}

template <class F> auto PracticePanel::onTrack(F f)
{
    return general ? f(tour->general()) : f(practice);
}

template <class F> auto PracticePanel::onTrack(F f) const
{
    return general ? f(std::as_const(*tour).general()) : f(practice);
}

int PracticePanel::rows() const
{
    return onTrack([](const auto &p) { return p.rows(); });
}

int PracticePanel::unknowns() const
{
    return onTrack([](const auto &p) { return p.unknowns(); });
}

void PracticePanel::start()
{
    setObjectName(QStringLiteral("PracticePanel"));
    setWindowTitle(QStringLiteral("Реши сам"));
    setAttribute(Qt::WA_DeleteOnClose);
    baseFont = window->font();
    setFont(baseFont);
    build();
    // The grid is the working now: only the student's own row takes typing.
    for (int r = 1; r <= rows(); ++r)
        for (int c = 1; c <= unknowns() + 1; ++c)
            grid.cellAt(r, c)->setReadOnly(true);
    showMatrix();
    record();
    // The window is not the active one while the panel is, and Qt shows the
    // tooltips, a cell's exact value among them, of the active window alone.
    window->setAttribute(Qt::WA_AlwaysShowToolTips, true);
    window->installEventFilter(this);
    if (grid.zoom)
        connect(grid.zoom, &WindowZoom::factorChanged, this, &PracticePanel::follow);
    adjustSize();
    follow();
    show();
    activateWindow();
    operation->setFocus(Qt::OtherFocusReason);
    say(general
            ? QStringLiteral("Реши сам с параметъра %1: работете общия случай; делите ли на "
                             "израз, програмата казва кой случай остава. F1 дава подсказка.")
                  .arg(tour->letter())
            : QStringLiteral("Реши сам: напишете операция и натиснете Enter; F1 дава подсказка."));
}

void PracticePanel::build()
{
    operation = new QLineEdit(this);
    operation->setObjectName(QStringLiteral("Operation"));
    operation->setAccessibleName(QStringLiteral("Операция"));
    operation->setPlaceholderText(QStringLiteral("например р2 = р2 - 3/2 р1"));
    operation->setToolTip(QStringLiteral("ред 2 = ред 2 − 3/2 · ред 1\nред 1 = ред 1 : (2)\n"
                                         "ред 1 ↔ ред 3\nр2 = р2 - 3/2 р1\nR3 = R3 + 2R1\nр1 : 2\n"
                                         "р2 = 2р2 + 3р1\n2р2 + 3р1 → р2\nII − 3·I"));
    // A screen reader reads a description each time the line is entered,
    // and the tooltip's lines stand for one where there is none.
    operation->setAccessibleDescription(operation->placeholderText());
    operation->installEventFilter(this);
    connect(operation, &QLineEdit::returnPressed, this, &PracticePanel::submit);
    auto *caption = new QLabel(QStringLiteral("&Операция:"), this);
    caption->setBuddy(operation);

    status = new QLabel(this);
    status->setObjectName(QStringLiteral("PracticeStatus"));
    status->setWordWrap(true);
    status->setTextFormat(Qt::PlainText);
    status->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    status->setMinimumHeight(4 * fontMetrics().lineSpacing()); // an operation, its row, an end
    list = new QListWidget(this);
    list->setObjectName(QStringLiteral("Operations"));
    list->setAccessibleName(QStringLiteral("приложени операции"));
    list->setMinimumHeight(6 * fontMetrics().lineSpacing());

    auto *top = new QHBoxLayout;
    top->addWidget(caption);
    top->addWidget(operation, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(status);
    backButton = new QPushButton(QStringLiteral("Обратно &заместване"), this);
    backButton->setObjectName(QStringLiteral("BackSubstitution"));
    backButton->setAutoDefault(false);
    backButton->setAccessibleDescription(QStringLiteral("довършва решението точно"));
    backButton->hide();
    connect(backButton, &QPushButton::clicked, this, &PracticePanel::backSubstitute);
    layout->addWidget(backButton, 0, Qt::AlignLeft);
    caseButton = new QPushButton(QStringLiteral("Следващ &случай"), this);
    caseButton->setObjectName(QStringLiteral("NextCase"));
    caseButton->setAutoDefault(false);
    caseButton->setAccessibleDescription(
        QStringLiteral("започва случая, който остава, като система от числа"));
    caseButton->hide();
    connect(caseButton, &QPushButton::clicked, this, &PracticePanel::nextCase);
    layout->addWidget(caseButton, 0, Qt::AlignLeft);
    layout->addWidget(list, 1);
    layout->addLayout(buildButtons());

    auto *hintKey = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(hintKey, &QShortcut::activated, this, &PracticePanel::hint);
    auto *readyKey = new QShortcut(QKeySequence(Qt::Key_F2), this);
    connect(readyKey, &QShortcut::activated, this, &PracticePanel::ready);
    auto *endKey = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(endKey, &QShortcut::activated, this, &QWidget::close);
    setMinimumWidth(36 * fontMetrics().averageCharWidth());
}

// Each with its keys as its tooltip and its description.
QLayout *PracticePanel::buildButtons()
{
    auto button = [this](const char *name, const QString &text, const QString &keys,
                         const std::function<void()> &action) {
        auto *b = new QPushButton(text, this);
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(false);
        if (!keys.isEmpty()) {
            b->setToolTip(keys);
            b->setAccessibleDescription(keys);
        }
        connect(b, &QPushButton::clicked, this, action);
        return b;
    };
    // The working's buttons, then beside "Сам смятам" those of the row the
    // student computes: one line would not fit a panel beside the grid.
    auto *steps = new QHBoxLayout;
    steps->addWidget(button("Back", QStringLiteral("Назад"),
                            QStringLiteral("Ctrl+Z при празна операция"), [this] { back(); }));
    steps->addWidget(
        button("Hint", QStringLiteral("Подсказка"), QStringLiteral("F1"), [this] { hint(); }));
    steps->addWidget(button("Ready", QStringLiteral("&Готово ли е?"), QStringLiteral("F2"),
                            [this] { ready(); }));
    if (rows() == unknowns())
        steps->addWidget(button("CheckDeterminant", QStringLiteral("Провери &D"),
                                QStringLiteral("Alt+D"), [this] { checkDeterminant(); }));
    steps->addStretch();
    steps->addWidget(
        button("End", QStringLiteral("Край"), QStringLiteral("Esc"), [this] { close(); }));
    own = new QCheckBox(QStringLiteral("&Сам смятам"), this);
    own->setObjectName(QStringLiteral("OwnArithmetic"));
    // Its box grows with the zoom as the window's options do.
    if (grid.style)
        own->setStyle(grid.style);
    connect(own, &QCheckBox::toggled, this, [this] {
        if (!open)
            operation->setFocus(Qt::OtherFocusReason); // the next operation is typed there
    });
    if (general) {
        // The cells would have to take expressions, and the slips be told in Q(a).
        own->setEnabled(false);
        own->setToolTip(QStringLiteral("при параметър редовете смята програмата"));
    }
    checkButton = button("Check", QStringLiteral("Про&вери"), QStringLiteral("Enter в реда"),
                         [this] { checkRow(); });
    showButton = button("Show", QStringLiteral("Пока&жи"), QStringLiteral("F1 в реда"),
                        [this] { showRight(); });
    checkButton->setEnabled(false);
    showButton->setEnabled(false);
    auto *row = new QHBoxLayout;
    row->addWidget(own);
    row->addWidget(checkButton);
    row->addWidget(showButton);
    row->addStretch();
    auto *buttons = new QVBoxLayout;
    buttons->addLayout(steps);
    buttons->addLayout(row);
    return buttons;
}

// Below the system's rows as a step's box stands, or above them where the
// screen has no room below; its left edge past the solution area.
void PracticePanel::place()
{
    const QScreen *screen = window->screen();
    if (!screen)
        return;
    const QRect room = screen->availableGeometry();
    const QSize frame = window->frameGeometry().size() - window->size();
    const QSize outer = size() + frame;
    const QRect block = grid.block();
    const int below = window->mapToGlobal(block.bottomLeft()).y() + 1;
    const int above = window->mapToGlobal(block.topLeft()).y();
    int top = room.bottom() + 1 - outer.height();
    if (room.bottom() + 1 - below >= outer.height())
        top = below;
    else if (above - room.top() >= outer.height())
        top = above - outer.height();
    int left = window->mapToGlobal(grid.solutionArea().topRight()).x() + Gap;
    left = qBound(room.left(), left, qMax(room.left(), room.right() + 1 - outer.width()));
    move(left, qMax(top, room.top()));
}

void PracticePanel::follow()
{
    const qreal zoom = WindowZoom::factorOf(window);
    if (zoom != shownZoom) {
        QFont font = baseFont;
        font.setPointSizeF(baseFont.pointSizeF() * zoom);
        setFont(font);
        adjustSize();
        shownZoom = zoom;
    }
    place();
}

bool PracticePanel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == window && (event->type() == QEvent::Move || event->type() == QEvent::Resize))
        follow();
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const auto *key = static_cast<QKeyEvent *>(event);
    if (watched == operation && key->matches(QKeySequence::Undo) && operation->text().isEmpty()) {
        back();
        return true;
    }
    // In the student's row, which is in the window and not in the panel, Enter
    // checks and F1, the hint's key, shows the right values.
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    if (auto *cell = qobject_cast<GridCell *>(watched); cell && open) {
        if (enter)
            cellEntered(cell);
        else if (key->key() == Qt::Key_F1)
            showRight();
        return enter || key->key() == Qt::Key_F1;
    }
    return QWidget::eventFilter(watched, event);
}

// Whatever ends the practice leaves the grid as the working last showed it.
void PracticePanel::closeEvent(QCloseEvent *event)
{
    if (!finished) {
        finished = true;
        if (open) {
            closeRow();
            showMatrix();
        }
        for (int r = 1; r <= rows(); ++r)
            for (int c = 1; c <= unknowns() + 1; ++c)
                grid.cellAt(r, c)->setReadOnly(false);
        window->removeEventFilter(this);
        window->setAttribute(Qt::WA_AlwaysShowToolTips, false);
        // Ended before its end, the working is told how far it has come.
        Announcer::announce(window, QStringLiteral("Реши сам: край.") +
                                        (onTrack([](const auto &p) {
                                             return gauss::endOf(p.current());
                                         }) == gauss::End::Going
                                             ? u' ' + readyWords().join(u' ')
                                             : QString()));
    }
    QWidget::closeEvent(event);
}

void PracticePanel::say(const QString &sentence)
{
    tell([sentence] { return sentence; });
}

void PracticePanel::tell(const std::function<QString()> &sentence)
{
    telling = sentence;
    status->setText(sentence());
    adjustSize();
    place();
    Announcer::announce(this, status->text());
}

// Said again without a word to a screen reader: the view's switch is spoken.
void PracticePanel::viewChanged()
{
    if (open)
        for (int c = 1; c <= unknowns() + 1; ++c)
            if (!grid.cellAt(open->row, c)->isReadOnly())
                showOld(grid.cellAt(open->row, c), c);
    record();
    if (telling)
        status->setText(telling());
}

bool PracticePanel::busy(bool ended)
{
    if (open) {
        say(QStringLiteral("Първо довършете ред %1 (Enter проверява) или натиснете „Назад“.")
                .arg(open->row));
        return true;
    }
    if (ended && !endWords().isEmpty()) {
        tell([this] {
            return endWords() +
                   QStringLiteral("\n„Назад“ връща последната операция, „Край“ затваря.");
        });
        return true;
    }
    return false;
}

// Says why a line is not applied, where it is not: the first operation that
// cannot be read, or that check() refuses, and its place on the line.
template <class E> bool PracticePanel::refuses(const RowNotation::BasicLine<E> &line)
{
    const auto about = [&line](int place, const QString &words) {
        return line.count == 1
                   ? words
                   : QStringLiteral("Операция %1 от %2: %3").arg(place).arg(line.count).arg(words);
    };
    if (line.refused) {
        say(about(line.refused, readingWords(line.readings.first())));
        return true;
    }
    for (int i = 0; i < line.readings.size(); ++i) {
        const gauss::FieldOperation<E> &op = line.readings[i].operation;
        if (const gauss::Refusal refusal = gauss::check(op, rows());
            refusal != gauss::Refusal::None) {
            say(about(i + 1, refusalWords(refusal, op, rows())));
            return true;
        }
    }
    return false;
}

void PracticePanel::submit()
{
    if (busy())
        return;
    if (general)
        return submitGeneral();
    const RowNotation::Line line = RowNotation::readLine(operation->text());
    if (refuses(line))
        return;
    pending.clear();
    for (const RowNotation::Reading &reading : line.readings)
        pending << reading.operation;
    applied.clear();
    applyPending();
}

// A line of the general working: read with the parameter, its operations
// applied at once, each division by an expression told with what it assumes.
void PracticePanel::submitGeneral()
{
    const RowNotation::ParameterLine line =
        RowNotation::readLine(operation->text(), tour->letter());
    if (refuses(line))
        return;
    applied.clear();
    for (const RowNotation::ParameterReading &reading : line.readings)
        acceptIn(tour->general(), reading.operation, QString());
}

void PracticePanel::applyPending()
{
    while (!pending.isEmpty() && !open) {
        const gauss::RowOperation op = pending.takeFirst();
        if (own->isChecked() && op.kind != gauss::RowOperation::Exchange)
            openRow(op);
        else
            accept(op);
    }
}

void PracticePanel::accept(const gauss::RowOperation &op, const QString &note)
{
    acceptIn(practice, op, note);
}

template <class P>
void PracticePanel::acceptIn(P &p, const typename P::Operation &op, const QString &given)
{
    hintLevel = 0;
    QString note = given;
    if constexpr (std::is_same_v<P, gauss::ParameterPractice>) {
        if (const QStringList warnings = tour->apply(op); !warnings.isEmpty()) {
            note += u'\n' + sentences(warnings);
            slips << warnings;
        }
    } else {
        p.apply(op);
    }
    caseEnded();
    if (!slips.isEmpty() && !slips.last().startsWith(ShownWords) && !general)
        slips << QStringLiteral("Поправено.");
    notes << slips;
    slips.clear();
    list->addItem(opText(op));
    list->scrollToBottom();
    operation->clear();
    showMatrix();
    record();
    // Each operation's rows as they stood after it, written again in a new view.
    const typename P::System after = p.current();
    applied << [this, op, after, note] {
        QString lines = opText(op) + u'\n' + rowText(after, op.row);
        if (op.kind == P::Operation::Exchange)
            lines += u'\n' + rowText(after, op.other);
        return lines + note;
    };
    tell([this] {
        QStringList lines;
        for (const auto &sentence : applied)
            lines << sentence();
        if (const QString end = endWords(); !end.isEmpty())
            lines << end;
        else if (pending.isEmpty() &&
                 onTrack([](const auto &t) { return gauss::echelon(t.current()); }))
            lines << QStringLiteral("Триъгълен вид: остава обратното заместване; "
                                    "„Обратно заместване“ (Alt+З) го довършва.");
        return lines.join(u'\n');
    });
    activateWindow();
    operation->setFocus(Qt::OtherFocusReason);
}

void PracticePanel::back()
{
    pending.clear();
    hintLevel = 0;
    if (open) {
        closeRow();
        showMatrix();
        slips.clear();
        say(QStringLiteral("Операцията е отменена."));
    } else if (!(general ? tour->takeBack() : practice.takeBack())) {
        say(QStringLiteral("Това е системата, както е въведена."));
    } else {
        notes.removeLast();
        caseEnded();
        delete list->takeItem(list->count() - 1);
        showMatrix();
        record();
        say(QStringLiteral("Назад: таблицата е както след %1.")
                .arg(list->count() == 0 ? QStringLiteral("въвеждането")
                                        : quoted(list->item(list->count() - 1)->text())));
    }
    activateWindow();
    operation->setFocus(Qt::OtherFocusReason);
}

// The method's next operation, written into the line for Enter to apply.
// In steps, each F1 giving away a little more: where the pivot is and why,
// then the operation in the line, then the row it makes.
void PracticePanel::hint()
{
    if (busy())
        return;
    onTrack([this](auto &p) {
        const auto op = gauss::nextOfMethod(p.current());
        const QString next = opText(op);
        ++hintsUsed;
        hintLevel = std::min(hintLevel + 1, 3);
        operation->setText(hintLevel == 1 ? QString() : next);
        operation->setFocus(Qt::OtherFocusReason);
        const int level = hintLevel;
        const auto *track = &p;
        tell([this, track, op, next, level] {
            if (level == 1)
                return QStringLiteral("Подсказка: ") + pivotWords(track->current(), op);
            QString words = QStringLiteral("Подсказка: %1").arg(next);
            if (level == 3) {
                const auto after = track->tried(op);
                words += QStringLiteral("\nТя дава ") + rowText(after, op.row);
                if (op.kind == gauss::RowOperations::Exchange)
                    words += QStringLiteral("\nи ") + rowText(after, op.other);
            }
            return words;
        });
    });
}

// The method's next operation told by its pivot: where it stands and why the
// operation is the next one.
template <class S, class Op> QString PracticePanel::pivotWords(const S &s, const Op &op) const
{
    const int pivotRow = op.kind == Op::Eliminate ? op.other : op.row;
    const int from = op.kind == Op::Exchange ? op.other : pivotRow;
    int column = 1;
    while (column <= s.unknowns && gauss::isZero(s.a[from][column]))
        ++column;
    const QString place = QStringLiteral("ред %1, колона %2").arg(pivotRow).arg(column);
    switch (op.kind) {
    case Op::Exchange:
        if (!gauss::isZero(s.a[op.row][column]))
            return QStringLiteral("водещият елемент е в %1, а там стои %2; в ред %3 на тази колона "
                                  "стои число, на което се дели без условие.")
                .arg(place, textOf(s.a[op.row][column]))
                .arg(op.other);
        return QStringLiteral("водещият елемент е в %1, а там стои 0; в ред %2 на тази колона "
                              "числото не е 0.")
            .arg(place)
            .arg(op.other);
    case Op::Eliminate:
        return QStringLiteral("водещият елемент е в %1; в ред %2 на тази колона стои %3, а трябва "
                              "да е 0.")
            .arg(place)
            .arg(op.row)
            .arg(textOf(s.a[op.row][column]));
    default:
        return QStringLiteral("водещият елемент е в %1; той е %2, а трябва да е 1.")
            .arg(place, textOf(s.a[op.row][column]));
    }
}

QStringList PracticePanel::readyWords() const
{
    const bool going =
        onTrack([](const auto &p) { return gauss::endOf(p.current()); }) == gauss::End::Going;
    QStringList lines{going ? QStringLiteral("Още не е готово.") : QStringLiteral("Готово.")};
    if (general)
        lines << (gauss::echelon(tour->general().current())
                      ? QStringLiteral("Стъпаловиден вид: да.")
                      : QStringLiteral("Стъпаловиден вид: не."));
    else
        lines << SlipWords::form(practice.current(), grid.format());
    if (!going)
        lines << endWords();
    return lines;
}

// Whether the working is done, what form the matrix is in and what breaks it.
void PracticePanel::ready()
{
    tell([this] { return readyWords().join(u'\n'); });
}

void PracticePanel::checkDeterminant()
{
    if (general) {
        DeterminantCheckDialog::askParametric(window, gauss::parametricDeterminant(tour->typed()),
                                              tour->letter(), grid.format());
    } else {
        const gauss::ExactSystem &s = practice.after(0);
        DeterminantCheckDialog::ask(window, gauss::coefficients(s.a, s.rows), grid.format(),
                                    grid.block());
    }
    activateWindow(); // the dialog's parent, the window, was active last
    operation->setFocus(Qt::OtherFocusReason);
}

// The method's own operations from the echelon form to the end, listed as
// the student's: each pivot made 1, then the columns above them cleared.
void PracticePanel::backSubstitute()
{
    if (busy())
        return;
    const int before = list->count();
    const int most = rows() * (unknowns() + 1);
    QStringList warnings;
    onTrack([&](auto &p) {
        while (gauss::endOf(p.current()) == gauss::End::Going && list->count() - before < most) {
            const auto op = gauss::nextOfMethod(p.current());
            if constexpr (std::is_same_v<std::decay_t<decltype(p)>, gauss::ParameterPractice>) {
                warnings << tour->apply(op);
            } else {
                p.apply(op);
            }
            notes << QStringList();
            list->addItem(opText(op));
        }
    });
    caseEnded();
    list->scrollToBottom();
    showMatrix();
    record();
    const int added = list->count() - before;
    tell([this, added, warnings] {
        QStringList lines{QStringLiteral("Обратно заместване: %1.").arg(operationsWords(added))};
        if (!warnings.isEmpty())
            lines << sentences(warnings);
        return (lines + QStringList{endWords()}).join(u'\n');
    });
    operation->setFocus(Qt::OtherFocusReason);
}

// --- The grid and the record ---------------------------------------------------

void PracticePanel::showMatrix()
{
    if (!general) {
        const gauss::ExactSystem &s = practice.current();
        for (int r = 1; r <= s.rows; ++r)
            for (int c = 1; c <= s.unknowns + 1; ++c)
                showValue(r, c, s.a[r][c]);
        return;
    }
    const gauss::ParameterSystem &s = tour->general().current();
    for (int r = 1; r <= s.rows; ++r)
        for (int c = 1; c <= s.unknowns + 1; ++c) {
            GridCell *cell = grid.cellAt(r, c);
            cell->forgetExactValue();
            cell->setText(textOf(s.a[r][c]));
            cell->setToolTip(cell->text());
            cell->setCursorPosition(0);
        }
}

// The one place where the practice writes a value into a cell.
void PracticePanel::showValue(int row, int column, const mpq_class &value)
{
    grid.cellAt(row, column)->setNumber(grid.format(), {gauss::decimalText(value), value});
}

QString PracticePanel::textOf(const mpq_class &value, const NumberFormat &in)
{
    return in.text({gauss::decimalText(value), value});
}

QString PracticePanel::textOf(const gauss::RationalFunction &value, const NumberFormat &in) const
{
    return ParameterWords::expression(value, tour->letter(), in.view());
}

QString PracticePanel::opText(const gauss::RowOperation &op) const
{
    return RowNotation::text(op);
}

QString PracticePanel::opText(const gauss::ParameterOperation &op) const
{
    return RowNotation::text(op, tour->letter());
}

// "ред 2: 0; 0,5; 0,5; 1", as the step boxes tell a row.
template <class S> QString PracticePanel::rowText(const S &s, int row) const
{
    QStringList cells;
    for (int c = 1; c <= s.unknowns + 1; ++c)
        cells << textOf(s.a[row][c]);
    return QStringLiteral("ред %1: %2").arg(row).arg(cells.join(QStringLiteral("; ")));
}

// Each operation of a working a step, its matrix in both views.
template <class P>
QList<PracticePanel::Step> PracticePanel::stepsOf(const P &p, const QString &title,
                                                  const QList<QStringList> &from) const
{
    using View = NumberFormat::View;
    QList<Step> steps;
    for (int i = 1; i <= int(p.operations().size()); ++i) {
        const auto &s = p.after(i);
        InBothViews<Working::Block> matrix;
        for (const View view : {NumberFormat::Decimals, NumberFormat::Fractions})
            for (int r = 1; r <= s.rows; ++r) {
                matrix[view] << QStringList();
                for (int c = 1; c <= s.unknowns + 1; ++c)
                    matrix[view].last() << textOf(s.a[r][c], NumberFormat(view));
            }
        const QStringList op =
            QStringList{opText(p.operations()[std::size_t(i - 1)])} + from.value(i - 1);
        steps << Step{title.arg(i), op, matrix};
    }
    return steps;
}

QString PracticePanel::caseTitle() const
{
    return QStringLiteral("(РЕШИ САМ) при %1, стъпка:%2")
        .arg(ParameterWords::condition(*atCase, tour->letter()), QStringLiteral("%1"));
}

// In both views, which the window's switch chooses between.
void PracticePanel::record()
{
    using View = NumberFormat::View;
    if (grid.showWorking && !tour)
        grid.showWorking(gauss::recordOf(practice));
    working.setSystem(typed);
    const QString title = QStringLiteral("(РЕШИ САМ) стъпка:%1");
    QList<Step> steps;
    if (tour)
        steps << stepsOf(tour->general(), title, general ? notes : generalNotes) << casesWorked;
    if (!general)
        steps << stepsOf(practice, atCase ? caseTitle() : title, notes);
    for (const Step &step : steps)
        working.addStep(step.title, InBothViews<QStringList>{step.lines, step.lines}, step.matrix);
    for (const View view : {NumberFormat::Decimals, NumberFormat::Fractions}) {
        QStringList report;
        endWords(NumberFormat(view), &report);
        if (!report.isEmpty())
            working.addReport(view, report);
    }
    showAnswer();
    if (tour && grid.followWorking)
        grid.followWorking();
    const gauss::End end = onTrack([](const auto &p) { return gauss::endOf(p.current()); });
    const bool echelon = onTrack([](const auto &p) { return gauss::echelon(p.current()); });
    backButton->setVisible(end == gauss::End::Going && echelon);
    caseButton->setVisible(end != gauss::End::Going && tour && tour->nextCase());
}

// Beside the unknowns: the values where the working has them, and with a
// parameter the general solution once the general case has ended, which the
// cases do not change.
void PracticePanel::showAnswer()
{
    if (tour) {
        const bool ended = gauss::endOf(tour->general().current()) != gauss::End::Going;
        if (grid.showExpressions)
            grid.showExpressions(ended ? tour->generalValues(grid.format().view()) : QStringList());
        return;
    }
    std::vector<mpq_class> x;
    if (gauss::endOf(practice.current()) == gauss::End::Solved)
        for (int r = 0; r <= practice.unknowns(); ++r)
            x.push_back(r == 0 ? mpq_class(0) : practice.current().a[r][practice.unknowns() + 1]);
    grid.showSolution(x);
}

// A case's end is its verdict in the tour; taken back, it is no longer one.
void PracticePanel::caseEnded()
{
    if (!atCase || general)
        return;
    tour->forget(*atCase);
    if (gauss::endOf(practice.current()) == gauss::End::Going)
        return;
    InBothViews<QString> verdict;
    for (const NumberFormat::View view : {NumberFormat::Decimals, NumberFormat::Fractions})
        verdict[view] = caseVerdict(NumberFormat(view));
    tour->worked(*atCase, verdict);
}

// "единствено решение x1 = 2, x2 = 1", or the verdict's words.
QString PracticePanel::caseVerdict(const NumberFormat &in) const
{
    const gauss::ExactSystem &s = practice.current();
    if (gauss::endOf(s) != gauss::End::Solved)
        return verdictWords(gauss::verdictOf(s.a, s.rows, s.unknowns), s.unknowns).join(u' ');
    return QStringLiteral("единствено решение ") + values(in).join(QStringLiteral(", "));
}

// "x1 = 2", "x2 = 1": the numeric working's values, at its end Solved.
QStringList PracticePanel::values(const NumberFormat &in) const
{
    const gauss::ExactSystem &s = practice.current();
    QStringList values;
    for (int r = 1; r <= s.unknowns; ++r)
        values << QStringLiteral("x%1 = %2").arg(r).arg(textOf(s.a[r][s.unknowns + 1], in));
    return values;
}

QString PracticePanel::endWords(const NumberFormat &in, QStringList *report) const
{
    const gauss::End end = onTrack([](const auto &p) { return gauss::endOf(p.current()); });
    QStringList lines;
    QStringList answer;
    const QString counts = countWords(
        int(onTrack([](const auto &p) { return p.operations().size(); })), methodCount, hintsUsed);
    const gauss::ExactSystem &s = practice.current();
    if (report)
        report->clear();
    if (end == gauss::End::Going)
        return QString();
    if (general) {
        lines << QStringLiteral("Общият случай е решен за ") + counts
              << tour->verdict(in.view()).first();
    } else if (end == gauss::End::Solved) {
        // One line, as the record handed in gives the verdict.
        lines << QStringLiteral("Решено за ") + counts;
        answer = values(in);
    } else {
        lines << verdictWords(gauss::verdictOf(s.a, s.rows, s.unknowns), s.unknowns);
    }
    if (tour) {
        if (const std::optional<gauss::Polynomial> next = tour->nextCase())
            lines << tour->left() + QStringLiteral(" „Следващ случай“ (Alt+С) започва %1.")
                                        .arg(ParameterWords::condition(*next, tour->letter()));
        else
            lines << QStringLiteral("Всички случаи са разгледани:") << tour->verdict(in.view());
    }
    if (report)
        *report = lines;
    if (!answer.isEmpty())
        lines << answer.join(QStringLiteral("; "));
    return lines.join(u'\n');
}

// The next case as a numeric system of its own, the working so far kept.
void PracticePanel::nextCase()
{
    const std::optional<gauss::Polynomial> next = tour->nextCase();
    if (!next || busy(false))
        return;
    if (general)
        generalNotes = notes;
    else
        casesWorked << stepsOf(practice, caseTitle(), notes);
    general = false;
    atCase = next;
    practice = gauss::Practice(tour->system(*next));
    methodCount = gauss::methodLength(practice.current());
    notes.clear();
    applied.clear();
    list->clear();
    hintLevel = 0;
    own->setEnabled(true);
    own->setToolTip(QString());
    showMatrix();
    record();
    say(QStringLiteral("При %1 системата е от числа: решете я.")
            .arg(ParameterWords::condition(*next, tour->letter())));
    operation->setFocus(Qt::OtherFocusReason);
}

// --- The student's own arithmetic ---------------------------------------------

void PracticePanel::openRow(const gauss::RowOperation &op)
{
    open = op;
    right = practice.tried(op);
    restingPalettes.clear();
    for (int c = 1; c <= unknowns() + 1; ++c) {
        GridCell *cell = grid.cellAt(op.row, c);
        restingPalettes << cell->palette();
        cell->clear();
        cell->forgetExactValue();
        showOld(cell, c);
        cell->setReadOnly(false);
        cell->installEventFilter(this);
        mark(cell, openCell);
    }
    checkButton->setEnabled(true);
    showButton->setEnabled(true);
    say(QStringLiteral("%1\nСметнете новия ред %2 в таблицата (сивите числа са старият) и "
                       "натиснете Enter; F1 показва верните стойности.")
            .arg(RowNotation::text(op))
            .arg(op.row));
    window->activateWindow();
    grid.cellAt(op.row, 1)->setFocus(Qt::OtherFocusReason);
}

// The grey old value, which a screen reader would read as the cell's text.
void PracticePanel::showOld(GridCell *cell, int column)
{
    const QString old = textOf(practice.current().a[open->row][column]);
    cell->setPlaceholderText(old);
    cell->setAccessibleDescription(QStringLiteral("предишна стойност %1").arg(old));
}

// Enter goes on to the next empty cell of the row, and checks the row from
// its last cell, or where no empty one follows.
void PracticePanel::cellEntered(GridCell *cell)
{
    const int n = unknowns();
    int from = 1;
    while (from <= n + 1 && grid.cellAt(open->row, from) != cell)
        ++from;
    for (int c = from + 1; c <= n + 1; ++c) {
        GridCell *next = grid.cellAt(open->row, c);
        if (!next->isReadOnly() && next->text().trimmed().isEmpty()) {
            next->setFocus(Qt::TabFocusReason);
            return;
        }
    }
    checkRow();
}

// A typed value is right when it is the exact value, or the seven-digit
// text the grid would show of it: "0,3333333" for 1/3, which is then told as
// rounded. The cells are read as the system's are, "1E+08" as well as "(2)".
// An empty cell is not wrong, only not done yet.
void PracticePanel::checkRow()
{
    if (!open)
        return;
    const int row = open->row;
    QStringList wrong, empty, rounded;
    GridCell *first = nullptr;
    // What the diagnosis reads: right cells, and wrong ones that are no rounding.
    gauss::TypedRow typedRow(std::size_t(unknowns() + 2));
    for (int c = 1; c <= unknowns() + 1; ++c) {
        GridCell *cell = grid.cellAt(row, c);
        if (cell->isReadOnly()) {
            typedRow[std::size_t(c)] = right.a[row][c];
            continue; // right at an earlier check, or shown
        }
        const mpq_class &value = right.a[row][c];
        const QString name = GridCell::spokenName(row, c, unknowns());
        mpq_class typed;
        const bool read =
            gauss::readExact(cell->text(), typed) || RowNotation::readNumber(cell->text(), typed);
        const gauss::Typed judged = read ? gauss::judge(typed, value) : gauss::Typed::Wrong;
        if (read && !gauss::isRounding(typed, value))
            typedRow[std::size_t(c)] = typed;
        if (judged == gauss::Typed::Rounded)
            rounded << QStringLiteral("%1 — закръглено: %2")
                           .arg(name, NumberFormat().note({cell->text(), value}));
        if (judged != gauss::Typed::Wrong) {
            markRight(cell, c);
            continue;
        }
        if (cell->text().trimmed().isEmpty()) {
            empty << name;
        } else {
            wrong << (read && gauss::isRounding(typed, value)
                          ? QStringLiteral("%1 (%2)").arg(name, roundedWords(value))
                          : name);
            mark(cell, wrongCell);
        }
        if (!first)
            first = cell;
    }
    QString roundedLine = rounded.join(QStringLiteral("; "));
    if (!roundedLine.isEmpty())
        roundedLine = u'\n' + roundedLine.front().toUpper() + roundedLine.mid(1) + u'.';
    if (!first) {
        const gauss::RowOperation op = *open;
        closeRow();
        accept(op, roundedLine);
        applyPending();
        return;
    }
    QStringList lines;
    if (!wrong.isEmpty()) {
        lines << wrongWords(wrong, typedRow);
        slips << lines.first();
    }
    if (!empty.isEmpty())
        lines << QStringLiteral("Не е попълнено: %1.").arg(empty.join(QStringLiteral("; ")));
    lines << QStringLiteral("%1 и натиснете Enter; „Покажи“ (F1) дава верните стойности.")
                 .arg(wrong.isEmpty() ? QStringLiteral("Попълнете") : QStringLiteral("Поправете"));
    say(lines.join(u'\n') + roundedLine);
    window->activateWindow();
    first->setFocus(Qt::OtherFocusReason);
    first->selectAll();
}

// The wrong cells named, with the slip where one explains them all: not
// where a cell is a rounding, or cannot be read, which the diagnosis passes by.
QString PracticePanel::wrongWords(const QStringList &wrong, const gauss::TypedRow &typed) const
{
    const gauss::Slip diagnosis = gauss::diagnose(practice.current(), *open, typed);
    const QString slip = int(diagnosis.columns.size()) == wrong.size()
                             ? SlipWords::slip(diagnosis, *open)
                             : QString();
    return QStringLiteral("Грешно: %1%2.")
        .arg(wrong.join(QStringLiteral("; ")),
             slip.isEmpty() ? QString() : QStringLiteral(" — ") + slip);
}

// Kept as typed, and told right by a mark and to a screen reader, not by its
// colour alone.
void PracticePanel::markRight(GridCell *cell, int column)
{
    cell->setReadOnly(true);
    cell->setPalette(restingPalettes.value(column - 1));
    cell->setAccessibleDescription(QStringLiteral("вярно"));
    auto *tick = new QLabel(QStringLiteral("✓"), cell);
    tick->setObjectName(QStringLiteral("RightMark"));
    tick->setAttribute(Qt::WA_TransparentForMouseEvents);
    // A label in a line edit draws in the edit's text colour, the cells' red.
    QPalette palette = tick->palette();
    palette.setColor(tick->foregroundRole(), rightMark);
    tick->setPalette(palette);
    tick->adjustSize();
    // On the side the number does not start from.
    const bool atLeft = cell->alignment() & Qt::AlignRight;
    tick->move(atLeft ? 3 : cell->width() - tick->width() - 3,
               (cell->height() - tick->height()) / 2);
    tick->show();
    rightMarks << tick;
}

// The right values of the cells still wrong; Enter then goes on.
void PracticePanel::showRight()
{
    if (!open)
        return;
    const int row = open->row;
    QList<int> shown;
    for (int c = 1; c <= unknowns() + 1; ++c) {
        GridCell *cell = grid.cellAt(row, c);
        if (cell->isReadOnly())
            continue;
        showValue(row, c, right.a[row][c]);
        cell->setReadOnly(true);
        cell->setAccessibleDescription(QStringLiteral("показана вярна стойност"));
        shown << c;
    }
    if (!shown.isEmpty())
        slips << ShownWords.toString();
    tell([this, row, shown] {
        QStringList values;
        for (const int c : shown)
            values << QStringLiteral("%1: %2").arg(GridCell::columnName(c, unknowns()),
                                                   textOf(right.a[row][c]));
        return QStringLiteral("Верните стойности на ред %1: %2.\nEnter продължава.")
            .arg(row)
            .arg(values.join(QStringLiteral("; ")));
    });
    window->activateWindow();
    grid.cellAt(row, 1)->setFocus(Qt::OtherFocusReason);
}

void PracticePanel::closeRow()
{
    for (int c = 1; c <= unknowns() + 1; ++c) {
        GridCell *cell = grid.cellAt(open->row, c);
        cell->removeEventFilter(this);
        cell->setReadOnly(true);
        cell->setPlaceholderText(QString());
        cell->setAccessibleDescription(QString());
        cell->setPalette(restingPalettes.value(c - 1));
    }
    qDeleteAll(rightMarks);
    rightMarks.clear();
    open.reset();
    checkButton->setEnabled(false);
    showButton->setEnabled(false);
}

void PracticePanel::mark(GridCell *cell, const QColor &colour)
{
    QPalette palette = cell->palette();
    palette.setColor(QPalette::Base, colour);
    cell->setPalette(palette);
}
