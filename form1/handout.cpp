#include "handout.h"

#include "boardworking.h"
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

constexpr qreal titleLarger = 3; // points above the text's
// The page number, at the foot of the printable area, below a blank line.
constexpr qreal footerPoints = 8;
constexpr int footerLines = 2;

// Larger type first, portrait pages before landscape ones, which take a
// nine-equation matrix of seven-digit numbers with exponents; 8 pt is the
// smallest a handout may print. Where even that is too narrow, a matrix is
// drawn smaller rather than leave the page.
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

// A piece of a part, drawn at its place within the part: text, or a drawing
// as the board draws it, made smaller where it would not fit the page.
struct Piece {
    QTextDocument *document;
    QPointF at;
    const BoardPage *drawing = nullptr;
    qreal scale = 1;
    QSizeF size() const { return document ? document->size() : drawing->size * scale; }
};

// What a page holds whole where it can: the heading, the system, a step, a
// report or the solution.
struct Part {
    std::vector<Piece> pieces;
    qreal height() const
    {
        qreal bottom = 0;
        for (const Piece &piece : pieces)
            bottom = qMax(bottom, piece.at.y() + piece.size().height());
        return bottom;
    }
};

// A piece placed on a page. clip is the slice of its document the page
// shows: all of it, or one page's worth of a piece taller than a page.
struct Placed {
    Piece piece;
    int page;
    QPointF at;
    QRectF clip;
};

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
    bool lay(const Format &format);
    void layHeading(qreal points);
    void layWorking();
    void place();
    QTextDocument *text(const QString &caption, const QStringList &lines);
    Piece drawn(BoardPage drawing, qreal top);
    Part across(QTextDocument *document);

    const Working::Record &record;
    QString title;
    bool dated;
    QPaintDevice *device;
    QPageSize size;
    int resolution;
    std::vector<Document> texts; // of the format laid out
    std::vector<std::unique_ptr<BoardPage>> drawings;
    bool drawingsFit = true; // every drawing within the page's width as it is

    QPageLayout page;
    QFont font;
    qreal width = 0; // of the page's printable area, in device pixels
    qreal printableHeight = 0;
    qreal height = 0; // of the printable area above the footer
    std::vector<Part> parts;
    std::vector<Placed> placed;
    int pageCount = 0;
};

// The first format in which every matrix fits the page's width in its type
// and a page holds three steps on the whole, so that a handout of nine
// equations takes six pages; where none does, the one that takes the fewest pages.
Pages::Pages(const Working::Record &record, QPaintDevice *device, const QPageSize &size,
             int resolution, const QString &title, bool dated)
    : record(record), title(title), dated(dated), device(device), size(size), resolution(resolution)
{
    const int budget = qMax(1, (int(record.steps.size()) + 2) / 3);
    const Format *fewest = &formats[std::size(formats) - 1];
    int fewestPages = std::numeric_limits<int>::max();
    for (const Format &format : formats) {
        if (!lay(format))
            continue;
        if (pageCount <= budget)
            return;
        if (pageCount < fewestPages) {
            fewest = &format;
            fewestPages = pageCount;
        }
    }
    lay(*fewest);
}

QTextDocument *Pages::text(const QString &caption, const QStringList &lines)
{
    texts.push_back(newDocument(device, font));
    QTextCursor cursor(texts.back().get());
    addLines(cursor, caption, lines);
    return texts.back().get();
}

// A drawing at top within a part, smaller where the page is too small for it.
Piece Pages::drawn(BoardPage drawing, qreal top)
{
    drawingsFit = drawingsFit && drawing.size.width() <= width;
    const qreal scale = std::min(
        {1.0, width / drawing.size.width(), height / std::max(1.0, drawing.size.height())});
    drawings.push_back(std::make_unique<BoardPage>(std::move(drawing)));
    return Piece{nullptr, QPointF(0, top), drawings.back().get(), scale};
}

// False where a drawing is too wide for the page in the format's type.
bool Pages::lay(const Format &format)
{
    font = handoutFont(format.points);
    page = QPageLayout(size, format.orientation, margins, QPageLayout::Millimeter);
    const QRect printable = page.paintRectPixels(resolution);
    width = printable.width();
    printableHeight = printable.height();
    height = printableHeight -
             footerLines * QFontMetricsF(handoutFont(footerPoints), device).lineSpacing();
    texts.clear();
    drawings.clear();
    drawingsFit = true;
    parts.clear();
    layHeading(format.points);
    layWorking();
    place();
    return drawingsFit;
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

// The system, each step, the reports and the solution as the board writes
// them, each part's words above its drawing.
void Pages::layWorking()
{
    const BoardWriter pen(font, width, device);
    for (BoardPart &made : boardParts(record, pen)) {
        Part part;
        if (!made.caption.isEmpty() || !made.words.isEmpty())
            part = across(text(made.caption, made.words));
        if (!made.drawing.size.isEmpty())
            part.pieces.push_back(drawn(std::move(made.drawing), part.height()));
        parts.push_back(std::move(part));
    }
}

// Parts follow one another down the page; one that does not fit below the
// last starts a page. One taller than a whole page (a system typed with very
// long numbers, a very long exact value) goes piece by piece, and a text
// taller than a page is broken between its lines.
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
            if (whole) {
                placed.push_back(Placed{piece, current, piece.at + QPointF(0, y), QRectF()});
                continue;
            }
            const qreal tall = piece.size().height();
            if (y + tall > height)
                newPage();
            if (tall <= height) {
                placed.push_back(Placed{piece, current, QPointF(piece.at.x(), y), QRectF()});
                y += tall;
                continue;
            }
            QTextDocument *document = piece.document; // a drawing is never taller than a page
            document->setPageSize(QSizeF(document->textWidth(), height));
            for (int p = 0; p < document->pageCount(); ++p) {
                newPage();
                placed.push_back(Placed{piece, current, QPointF(piece.at.x(), -p * height),
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
        for (const Placed &laid : placed) {
            if (laid.page != p)
                continue;
            painter.save();
            painter.translate(laid.at);
            if (laid.piece.document) {
                laid.piece.document->drawContents(&painter, laid.clip);
            } else {
                painter.scale(laid.piece.scale, laid.piece.scale);
                paintBoardPage(painter, *laid.piece.drawing, font, paperPalette());
            }
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
