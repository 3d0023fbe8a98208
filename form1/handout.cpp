#include "handout.h"

#include "fonts.h"
#include "gridmessagebox.h"
#include "sharedtexts.h"

#include <QAbstractTextDocumentLayout>
#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFileDialog>
#include <QLocale>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include <algorithm>
#include <iterator>
#include <limits>
#include <memory>
#include <vector>

namespace
{

// The window's title heads the handout.
const QString heading = texts::windowTitle();

const QMarginsF margins(15, 15, 15, 15); // millimetres

// Paddings and rules are in pixels of 1/96 inch, which the text layout scales
// to the device. A cell's numbers stand clear of the next column's, while rows
// keep close, as in the window's grid.
constexpr qreal cellSidePadding = 4;
constexpr qreal cellEndPadding = 0.5; // above and below
constexpr qreal rightHandRule = 1;    // before the right-hand side
constexpr qreal namesRule = 0.5;      // under the unknowns' names
constexpr qreal solutionPadding = 8;  // after a name, a value and an exact value
constexpr qreal titleLarger = 3;      // points above the text's
constexpr int wordsGap = 2;           // between a step's words and its matrix, in widths of M
// The page number, at the foot of the printable area, below a blank line.
constexpr qreal footerPoints = 8;
constexpr int footerLines = 2;

// Larger type first, portrait pages before landscape ones, which take a
// nine-equation matrix of seven-digit numbers with exponents; 8 pt is the
// smallest a handout may print. Where even that is too narrow, tables wrap
// their numbers within their cells rather than leave the page.
struct Format {
    QPageLayout::Orientation orientation;
    qreal points;
};
const Format formats[] = {{QPageLayout::Portrait, 11},  {QPageLayout::Portrait, 10},
                          {QPageLayout::Landscape, 11}, {QPageLayout::Landscape, 10},
                          {QPageLayout::Landscape, 9},  {QPageLayout::Landscape, 8}};

QFont handoutFont(qreal points)
{
    QFont font;
    font.setFamilies(fonts::handout());
    font.setPointSizeF(points);
    return font;
}

using Document = std::unique_ptr<QTextDocument>;

Document newDocument(QPaintDevice *device, const QFont &font)
{
    auto document = std::make_unique<QTextDocument>();
    // Laid out in the device's own pixels, with the faces' design metrics so
    // that a printer's resolution moves no line.
    document->documentLayout()->setPaintDevice(device);
    document->setUseDesignMetrics(true);
    document->setDocumentMargin(0);
    document->setDefaultFont(font);
    QTextOption option;
    // A typed number of a thousand digits still wraps within the page.
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    document->setDefaultTextOption(option);
    return document;
}

QTextCharFormat weight(QFont::Weight w)
{
    QTextCharFormat format;
    format.setFontWeight(w);
    return format;
}

// Each line a paragraph, the caption first in bold.
void addLines(QTextCursor &cursor, const QString &caption, const QStringList &lines)
{
    QStringList all = lines;
    if (!caption.isEmpty())
        all.prepend(caption);
    for (int i = 0; i < all.size(); ++i) {
        if (!cursor.atStart())
            cursor.insertBlock(QTextBlockFormat(), QTextCharFormat());
        cursor.insertText(all[i],
                          weight(i == 0 && !caption.isEmpty() ? QFont::Bold : QFont::Normal));
    }
}

QTextTableFormat plainTable()
{
    QTextTableFormat format;
    format.setBorder(0);
    // With collapsed borders each cell draws its own, which rules off one column alone.
    format.setBorderCollapse(true);
    format.setCellSpacing(0);
    format.setCellPadding(0);
    return format;
}

// The rows of a matrix, numbers to the right, the right-hand column ruled off;
// names, where given, head the columns in bold above a rule.
void addMatrix(QTextCursor &cursor, const Working::Block &rows, const QStringList &names = {})
{
    int columns = int(names.size());
    for (const QStringList &row : rows)
        columns = qMax(columns, int(row.size()));
    if (columns == 0)
        return;
    const int named = names.isEmpty() ? 0 : 1;
    cursor.beginEditBlock(); // one layout for the table, not one for every cell
    QTextTable *table = cursor.insertTable(int(rows.size()) + named, columns, plainTable());
    QTextBlockFormat right;
    right.setAlignment(Qt::AlignRight);
    for (int r = 0; r < table->rows(); ++r) {
        for (int c = 0; c < columns; ++c) {
            QTextTableCell cell = table->cellAt(r, c);
            QTextTableCellFormat format = cell.format().toTableCellFormat();
            format.setLeftPadding(cellSidePadding);
            format.setRightPadding(cellSidePadding);
            format.setTopPadding(cellEndPadding);
            format.setBottomPadding(cellEndPadding);
            if (c == columns - 1 && columns > 1) {
                format.setLeftBorder(rightHandRule);
                format.setLeftBorderStyle(QTextFrameFormat::BorderStyle_Solid);
                format.setLeftBorderBrush(Qt::black);
            }
            if (r < named) {
                format.setBottomBorder(namesRule);
                format.setBottomBorderStyle(QTextFrameFormat::BorderStyle_Solid);
                format.setBottomBorderBrush(Qt::black);
            }
            cell.setFormat(format);
            QTextCursor in = cell.firstCursorPosition();
            in.setBlockFormat(right);
            const QString text = r < named ? names.value(c) : rows[r - named].value(c);
            in.insertText(text, weight(r < named ? QFont::Bold : QFont::Normal));
        }
    }
    cursor.endEditBlock();
    cursor.movePosition(QTextCursor::End);
}

// Row operations down columns of equal width side by side, so that a step of
// nine equations takes three lines for its nine operations, not nine.
void addColumns(QTextCursor &cursor, const QStringList &lines, int columns)
{
    if (lines.isEmpty())
        return;
    const int rows = (int(lines.size()) + columns - 1) / columns;
    QTextTableFormat format = plainTable();
    format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
    format.setColumnWidthConstraints(
        QList<QTextLength>(columns, QTextLength(QTextLength::PercentageLength, 100.0 / columns)));
    cursor.beginEditBlock();
    cursor.insertBlock(QTextBlockFormat(), QTextCharFormat());
    QTextTable *table = cursor.insertTable(rows, columns, format);
    for (int i = 0; i < lines.size(); ++i)
        table->cellAt(i % rows, i / rows).firstCursorPosition().insertText(lines[i]);
    cursor.endEditBlock();
    cursor.movePosition(QTextCursor::End);
}

// A piece of a part, drawn at its place within the part.
struct Piece {
    QTextDocument *document;
    QPointF at;
};

// What a page holds whole where it can: the heading, the system, a step, a
// report or the solution.
struct Part {
    std::vector<Piece> pieces;
    qreal height() const
    {
        qreal bottom = 0;
        for (const Piece &piece : pieces)
            bottom = qMax(bottom, piece.at.y() + piece.document->size().height());
        return bottom;
    }
};

// A piece placed on a page. clip is the slice of its document the page
// shows: all of it, or one page's worth of a piece taller than a page.
struct Placed {
    QTextDocument *document;
    int page;
    QPointF at;
    QRectF clip;
};

// A table is laid out at its own width, which fits() compares with the
// page's, and only once for a font.
void layUnwrapped(QTextDocument *table, const QFont &font)
{
    if (table->textWidth() >= 0)
        table->setTextWidth(-1);
    if (table->defaultFont() != font)
        table->setDefaultFont(font);
}

// The working laid out for one paint device and placed on its pages.
// QTextDocument breaks pages between lines and between table rows, but
// cannot keep a table together with its caption, so parts are placed on
// pages here.
class Pages
{
public:
    // title heads the first page, above the date where dated.
    Pages(const Working::Record &record, QPaintDevice *device, const QPageSize &size,
          int resolution, const QString &title = heading, bool dated = true);

    QPageLayout layout() const { return page; }
    int count() const { return pageCount; }
    // Numbered from first on, of total pages in all.
    void draw(QPagedPaintDevice &device, QPainter &painter, int first = 1, int total = 0) const;

private:
    bool fits(const Format &format);
    void lay(const Format &format);
    void layHeading(qreal points);
    void laySteps();
    void laySolution();
    void place();
    QTextDocument *text(const QString &caption, const QStringList &lines);
    QTextDocument *promptOverColumns(const Working::Step &step, int columns);
    QTextDocument *solutionTable();
    Part across(QTextDocument *document);

    const Working::Record &record;
    QString title;
    bool dated;
    QPaintDevice *device;
    QPageSize size;
    int resolution;
    // The system's table and each step's, whatever the format: laying out
    // the tables is most of the work.
    std::vector<Document> matrices;
    std::vector<QTextDocument *> widestFirst;
    std::vector<Document> texts; // of the format laid out

    QPageLayout page;
    QFont font;
    qreal width = 0; // of the page's printable area, in device pixels
    qreal printableHeight = 0;
    qreal height = 0; // of the printable area above the footer
    std::vector<Part> parts;
    std::vector<Placed> placed;
    int pageCount = 0;
};

// The first format in which every table fits the page's width unwrapped and
// a page holds three steps on the whole, so that a handout of nine equations
// takes six pages; where none does, the one that takes the fewest pages.
Pages::Pages(const Working::Record &record, QPaintDevice *device, const QPageSize &size,
             int resolution, const QString &title, bool dated)
    : record(record), title(title), dated(dated), device(device), size(size), resolution(resolution)
{
    QStringList names;
    for (int c = 1; c < (record.system.isEmpty() ? 0 : record.system[0].size()); ++c)
        names << QStringLiteral("x%1").arg(c);
    matrices.push_back(newDocument(device, handoutFont(formats[0].points)));
    QTextCursor system(matrices.back().get());
    addMatrix(system, record.system, names);
    for (const Working::Step &step : record.steps) {
        matrices.push_back(newDocument(device, handoutFont(formats[0].points)));
        QTextCursor cursor(matrices.back().get());
        addMatrix(cursor, step.matrix);
    }
    // Where the widest does not fit, no other table is laid out again.
    for (const Document &matrix : matrices)
        widestFirst.push_back(matrix.get());
    std::sort(widestFirst.begin(), widestFirst.end(),
              [](QTextDocument *a, QTextDocument *b) { return a->idealWidth() > b->idealWidth(); });
    const int budget = qMax(1, (int(record.steps.size()) + 2) / 3);
    const Format *fewest = &formats[std::size(formats) - 1];
    int fewestPages = std::numeric_limits<int>::max();
    for (const Format &format : formats) {
        if (!fits(format))
            continue;
        lay(format);
        if (pageCount <= budget)
            return;
        if (pageCount < fewestPages) {
            fewest = &format;
            fewestPages = pageCount;
        }
    }
    lay(*fewest);
}

// Every table unwrapped within the page's width.
bool Pages::fits(const Format &format)
{
    const QPageLayout layout(size, format.orientation, margins, QPageLayout::Millimeter);
    const int room = layout.paintRectPixels(resolution).width();
    return std::all_of(widestFirst.begin(), widestFirst.end(), [&](QTextDocument *table) {
        layUnwrapped(table, handoutFont(format.points));
        return table->idealWidth() <= room;
    });
}

QTextDocument *Pages::text(const QString &caption, const QStringList &lines)
{
    texts.push_back(newDocument(device, font));
    QTextCursor cursor(texts.back().get());
    addLines(cursor, caption, lines);
    return texts.back().get();
}

void Pages::lay(const Format &format)
{
    font = handoutFont(format.points);
    page = QPageLayout(size, format.orientation, margins, QPageLayout::Millimeter);
    const QRect printable = page.paintRectPixels(resolution);
    width = printable.width();
    printableHeight = printable.height();
    height = printableHeight -
             footerLines * QFontMetricsF(handoutFont(footerPoints), device).lineSpacing();
    for (const Document &matrix : matrices)
        layUnwrapped(matrix.get(), font);
    texts.clear();
    parts.clear();
    layHeading(format.points);
    laySteps();
    laySolution();
    place();
}

// A part of one piece: the document across the page's width.
Part Pages::across(QTextDocument *document)
{
    document->setTextWidth(width);
    return Part{{Piece{document, QPointF()}}};
}

// The title and the date, centred.
void Pages::layHeading(qreal points)
{
    QTextDocument *top = text(QString(), {});
    QTextCursor cursor(top);
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    cursor.setBlockFormat(centred);
    QTextCharFormat title = weight(QFont::Bold);
    title.setFontPointSize(points + titleLarger);
    cursor.insertText(this->title, title);
    if (dated) {
        cursor.insertBlock(centred, QTextCharFormat());
        cursor.insertText(
            QLocale(QLocale::Bulgarian).toString(QDate::currentDate(), QLocale::LongFormat));
    }
    parts.push_back(across(top));
}

// Each step's words beside its matrix where every step's fit: the
// matrices then stand one under another, as in the window.
void Pages::laySteps()
{
    std::vector<QTextDocument *> words{text(Working::systemHeading, {})};
    for (const Working::Step &step : record.steps)
        words.push_back(text(step.prompt, step.operations));
    qreal wordsWidth = 0;
    qreal matrixWidth = 0;
    for (std::size_t i = 0; i < matrices.size(); ++i) {
        wordsWidth = qMax(wordsWidth, words[i]->idealWidth());
        matrixWidth = qMax(matrixWidth, matrices[i]->idealWidth());
    }
    const qreal between = wordsGap * QFontMetricsF(font, device).horizontalAdvance(u'M');
    const bool beside = wordsWidth + between + matrixWidth <= width;
    const int columns = qMax(1, int(width / (wordsWidth + between)));
    for (std::size_t i = record.system.isEmpty() ? 1 : 0; i < matrices.size(); ++i) {
        if (!beside && i > 0)
            words[i] = promptOverColumns(record.steps[int(i) - 1], columns);
        Part step = across(words[i]);
        if (beside)
            words[i]->setTextWidth(wordsWidth);
        const QPointF at = beside ? QPointF(wordsWidth + between, 0) : QPointF(0, step.height());
        // Only where no format fits: the numbers wrap within their cells.
        if (matrices[i]->idealWidth() > width - at.x())
            matrices[i]->setTextWidth(width - at.x());
        step.pieces.push_back(Piece{matrices[i].get(), at});
        parts.push_back(std::move(step));
    }
}

// Where the words do not fit beside the matrices: the prompt above its
// operations in columns across the page.
QTextDocument *Pages::promptOverColumns(const Working::Step &step, int columns)
{
    QTextDocument *words = text(step.prompt, {});
    QTextCursor cursor(words);
    cursor.movePosition(QTextCursor::End);
    addColumns(cursor, step.operations, columns);
    return words;
}

// What ended the solve, the solution, and a message that followed it.
void Pages::laySolution()
{
    if (!record.report.isEmpty())
        parts.push_back(across(text(QString(), record.report)));
    if (!record.names.isEmpty())
        parts.push_back(across(solutionTable()));
    if (!record.afterSolution.isEmpty())
        parts.push_back(across(text(QString(), record.afterSolution)));
}

// Under its heading, a row for each unknown: its name, its value and, where
// the value rounds it, its exact value.
QTextDocument *Pages::solutionTable()
{
    QTextDocument *solution = text(Working::solutionHeading, {});
    QTextCursor cursor(solution);
    cursor.movePosition(QTextCursor::End);
    cursor.insertBlock(QTextBlockFormat(), QTextCharFormat());
    QTextTable *table = cursor.insertTable(int(record.names.size()), 3, plainTable());
    for (int r = 0; r < record.names.size(); ++r) {
        const QStringList cells{record.names[r], record.values.value(r),
                                record.exactValues.value(r)};
        for (int c = 0; c < 3; ++c) {
            QTextTableCell cell = table->cellAt(r, c);
            QTextTableCellFormat padded = cell.format().toTableCellFormat();
            padded.setRightPadding(solutionPadding);
            cell.setFormat(padded);
            cell.firstCursorPosition().insertText(cells[c]);
        }
    }
    return solution;
}

// Parts follow one another down the page; one that does not fit below the
// last starts a page. One taller than a whole page (a system typed with very
// long numbers, a very long exact value) goes piece by piece, and a piece
// taller than a page is broken between its lines or rows.
void Pages::place()
{
    placed.clear();
    int current = 0;
    qreal y = 0;
    const qreal gap = QFontMetricsF(font, device).lineSpacing();
    const auto newPage = [&] {
        if (y > 0) {
            ++current;
            y = 0;
        }
    };
    for (const Part &part : parts) {
        const bool whole = part.height() <= height;
        if (whole && y + part.height() > height)
            newPage();
        for (const Piece &piece : part.pieces) {
            QTextDocument *document = piece.document;
            if (whole) {
                placed.push_back(Placed{document, current, piece.at + QPointF(0, y), QRectF()});
                continue;
            }
            if (y + document->size().height() > height)
                newPage();
            if (document->size().height() <= height) {
                placed.push_back(Placed{document, current, QPointF(piece.at.x(), y), QRectF()});
                y += document->size().height();
                continue;
            }
            document->setPageSize(QSizeF(document->textWidth(), height));
            for (int p = 0; p < document->pageCount(); ++p) {
                newPage();
                placed.push_back(Placed{document, current, QPointF(piece.at.x(), -p * height),
                                        QRectF(0, p * height, width, height)});
                y = height;
            }
        }
        if (whole)
            y += part.height();
        y += gap;
    }
    pageCount = current + 1;
}

void Pages::draw(QPagedPaintDevice &target, QPainter &painter, int first, int total) const
{
    for (int p = 0; p < pageCount; ++p) {
        if (p > 0 || first > 1)
            target.newPage();
        for (const Placed &piece : placed) {
            if (piece.page != p)
                continue;
            painter.save();
            painter.translate(piece.at);
            piece.document->drawContents(&painter, piece.clip);
            painter.restore();
        }
        painter.setFont(handoutFont(footerPoints));
        painter.drawText(QRectF(0, 0, width, printableHeight), Qt::AlignRight | Qt::AlignBottom,
                         Handout::pageNumber(first + p, total > 0 ? total : pageCount));
    }
}

// A printer that prints to a file fails as a file does.
QString notPrinted(const QPrinter &printer)
{
    if (!printer.outputFileName().isEmpty())
        return Handout::notWritten(printer.outputFileName());
    return QStringLiteral("Решението не може да бъде отпечатано на принтера „%1“.")
        .arg(printer.printerName());
}

} // namespace

QString Handout::notWritten(const QString &fileName)
{
    return QStringLiteral("Файлът „%1“ не може да бъде записан.")
        .arg(QDir::toNativeSeparators(fileName));
}

QString Handout::pageNumber(int page, int pages)
{
    return QStringLiteral("стр. %1 от %2").arg(page).arg(pages);
}

struct HandoutPages::Laid {
    Laid(const Working &working, QPaintDevice *device, const QPageSize &size, int resolution,
         const QString &title)
        : working(working), pages(this->working.record(), device, size, resolution, title, false)
    {
    }
    Working working; // the record the pages refer to
    Pages pages;
};

HandoutPages::HandoutPages(const Working &working, QPagedPaintDevice *device, const QPageSize &size,
                           int resolution, const QString &title)
    : laid(std::make_unique<Laid>(working, device, size, resolution, title))
{
}

HandoutPages::~HandoutPages() = default;
HandoutPages::HandoutPages(HandoutPages &&) noexcept = default;

QPageLayout HandoutPages::layout() const
{
    return laid->pages.layout();
}

int HandoutPages::count() const
{
    return laid->pages.count();
}

void HandoutPages::draw(QPagedPaintDevice &device, QPainter &painter, int first, int total) const
{
    laid->pages.draw(device, painter, first, total);
}

bool Handout::savePdf(const Working &working, const QString &fileName)
{
    QPdfWriter writer(fileName);
    writer.setTitle(heading);
    writer.setCreator(QCoreApplication::applicationName());
    const Pages pages(working.record(), &writer, QPageSize(QPageSize::A4), writer.resolution());
    writer.setPageLayout(pages.layout());
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    pages.draw(writer, painter);
    return painter.end();
}

bool Handout::print(const Working &working, QPrinter &printer)
{
    const Pages pages(working.record(), &printer, printer.pageLayout().pageSize(),
                      printer.resolution());
    printer.setPageLayout(pages.layout());
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    pages.draw(printer, painter);
    return painter.end();
}

void Handout::saveWithDialog(QWidget *parent, const Working &working,
                             const Working::Block &shownSystem)
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QFileDialog dialog(parent, QStringLiteral("Запази като PDF"),
                       QDir(folder).filePath(QStringLiteral("решение.pdf")),
                       QStringLiteral("PDF (*.pdf)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // Added by the dialog itself, so that its question before replacing a
    // file asks about the name the file is saved under.
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString fileName = dialog.selectedFiles().constFirst();
    if (!savePdf(working.orShown(shownSystem), fileName))
        GridMessageBox::error(parent, notWritten(fileName));
}

void Handout::printWithDialog(QWidget *parent, const Working &working,
                              const Working::Block &shownSystem)
{
#ifdef Q_OS_WIN
    // Windows' print dialog does not open at all where no printer is
    // installed, and says nothing; elsewhere Qt's own dialog offers a PDF file.
    if (QPrinterInfo::availablePrinters().isEmpty()) {
        if (GridMessageBox::ask(parent, QStringLiteral("ПЕЧАТ:"),
                                QStringLiteral("Няма инсталиран принтер.\n"
                                               "Да се запази ли решението като PDF?")))
            saveWithDialog(parent, working, shownSystem);
        return;
    }
#endif
    QPrinter printer(QPrinter::HighResolution);
    // The printer's own paper, A4 or Letter: Qt starts from A4 whatever it holds.
    const QPageSize paper = QPrinterInfo(printer).defaultPageSize();
    printer.setPageSize(paper.isValid() ? paper : QPageSize(QPageSize::A4));
    printer.setDocName(QStringLiteral("решение"));
    QPrintDialog dialog(&printer, parent);
    if (dialog.exec() == QDialog::Accepted && !print(working.orShown(shownSystem), printer))
        GridMessageBox::error(parent, notPrinted(printer));
}
