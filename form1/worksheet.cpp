#include "worksheet.h"

#include "exercisewords.h"
#include "fonts.h"
#include "handout.h"
#include "latexwriter.h"

#include <QAbstractTextDocumentLayout>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinterInfo>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include <memory>
#include <vector>

namespace Worksheet
{

namespace
{

const QMarginsF margins(15, 15, 15, 15); // millimetres, as the handout's
constexpr qreal points = 11;
constexpr qreal titlePoints = 14;
constexpr qreal footerPoints = 8;
constexpr qreal termPadding = 3; // pixels of 1/96 inch either side of an equation's term

QFont sheetFont(qreal size)
{
    QFont font;
    font.setFamilies(fonts::handout());
    font.setPointSizeF(size);
    return font;
}

// One piece that a page holds whole, with room to work below it.
struct Part {
    std::unique_ptr<QTextDocument> document;
    qreal room = 0;       // in lines
    bool newPage = false; // it begins a page
};

class Sheet
{
public:
    Sheet(QPaintDevice *device, qreal width) : device(device), width(width) {}

    QTextCursor add(bool newPage = false, qreal room = 0)
    {
        auto document = std::make_unique<QTextDocument>();
        document->documentLayout()->setPaintDevice(device);
        document->setUseDesignMetrics(true);
        document->setDocumentMargin(0);
        document->setDefaultFont(sheetFont(points));
        document->setTextWidth(width);
        QTextCursor cursor(document.get());
        parts.push_back(Part{std::move(document), room, newPage});
        return cursor;
    }
    // Down the pages: a part that does not fit below the last begins a page.
    int place(qreal height);
    int count() const { return pages; }
    void draw(QPainter &painter, QPagedPaintDevice &target, int total) const;

private:
    struct Placed {
        QTextDocument *document;
        int page;
        qreal y;
    };
    QPaintDevice *device;
    qreal width;
    qreal height = 0;
    std::vector<Part> parts;
    std::vector<Placed> placed;
    int pages = 0;
};

int Sheet::place(qreal height)
{
    this->height = height;
    const qreal line = QFontMetricsF(sheetFont(points), device).lineSpacing();
    int page = 0;
    qreal y = 0;
    for (const Part &part : parts) {
        const qreal tall = part.document->size().height() + part.room * line;
        if (y > 0 && (part.newPage || y + tall > height)) {
            ++page;
            y = 0;
        }
        placed.push_back(Placed{part.document.get(), page, y});
        y += tall + line;
    }
    pages = page + 1;
    return pages;
}

void Sheet::draw(QPainter &painter, QPagedPaintDevice &target, int total) const
{
    const qreal footer = QFontMetricsF(sheetFont(footerPoints), device).lineSpacing();
    for (int p = 0; p < pages; ++p) {
        if (p > 0)
            target.newPage();
        for (const Placed &piece : placed) {
            if (piece.page != p)
                continue;
            painter.save();
            painter.translate(0, piece.y);
            piece.document->drawContents(&painter);
            painter.restore();
        }
        painter.setFont(sheetFont(footerPoints));
        painter.drawText(QRectF(0, 0, width, height + 2 * footer), Qt::AlignRight | Qt::AlignBottom,
                         Handout::pageNumber(p + 1, total));
    }
}

QTextCharFormat bold(qreal size = points)
{
    QTextCharFormat format;
    format.setFontWeight(QFont::Bold);
    format.setFontPointSize(size);
    return format;
}

void addLine(QTextCursor &cursor, const QString &text, const QTextCharFormat &format = {})
{
    if (!cursor.atStart())
        cursor.insertBlock(QTextBlockFormat(), QTextCharFormat());
    cursor.insertText(text, format);
}

// The equations in columns, so that each unknown stands under itself.
void addEquations(QTextCursor &cursor, const gauss::Exercise &exercise)
{
    const QList<QStringList> rows = ExerciseWords::terms(exercise);
    const int columns = int(rows.first().size()) + 1; // and "="
    QTextTableFormat format;
    format.setBorder(0);
    format.setCellSpacing(0);
    format.setCellPadding(0);
    cursor.insertBlock(QTextBlockFormat(), QTextCharFormat());
    QTextTable *table = cursor.insertTable(int(rows.size()), columns, format);
    QTextBlockFormat right;
    right.setAlignment(Qt::AlignRight);
    for (int r = 0; r < rows.size(); ++r)
        for (int c = 0; c < columns; ++c) {
            QTextTableCell cell = table->cellAt(r, c);
            QTextTableCellFormat padded = cell.format().toTableCellFormat();
            padded.setLeftPadding(termPadding);
            padded.setRightPadding(termPadding);
            cell.setFormat(padded);
            QTextCursor in = cell.firstCursorPosition();
            const bool equals = c == columns - 2;
            if (c < columns - 1)
                in.setBlockFormat(right);
            in.insertText(equals            ? QStringLiteral("=")
                          : c < columns - 2 ? rows[r][c]
                                            : rows[r].last());
        }
    cursor.movePosition(QTextCursor::End);
}

// Each variant from a page of its own: its heading, then its problems.
void addProblems(Sheet &sheet, const gauss::Worksheet &worksheet)
{
    for (std::size_t v = 0; v < worksheet.variants.size(); ++v) {
        QTextCursor top = sheet.add(true);
        addLine(top, title() + QStringLiteral(" — ") + variantName(int(v)), bold(titlePoints));
        addLine(top, QStringLiteral("Име: ____________________________   Клас: ______"));
        addLine(top, QStringLiteral("Решете системите по метода на Гаус."));
        addLine(top, seedLine(worksheet.choice.seed));
        const std::vector<gauss::Exercise> &problems = worksheet.variants[v];
        for (std::size_t p = 0; p < problems.size(); ++p) {
            const int n = problems[p].choice.size;
            QTextCursor cursor = sheet.add(false, n + 4);
            addLine(cursor, problemName(int(p)), bold());
            addEquations(cursor, problems[p]);
        }
    }
}

void addKey(Sheet &sheet, const gauss::Worksheet &worksheet)
{
    QTextCursor top = sheet.add(true);
    addLine(top, answersTitle(), bold(titlePoints));
    addLine(top, seedLine(worksheet.choice.seed));
    for (std::size_t v = 0; v < worksheet.variants.size(); ++v) {
        QTextCursor cursor = sheet.add();
        addLine(cursor, variantName(int(v)), bold());
        const std::vector<gauss::Exercise> &problems = worksheet.variants[v];
        for (std::size_t p = 0; p < problems.size(); ++p)
            addLine(cursor, problemName(int(p)) + u' ' + ExerciseWords::key(problems[p]));
    }
}

} // namespace

QString title()
{
    return QStringLiteral("Работен лист");
}

QString variantName(int variant)
{
    return QStringLiteral("Вариант %1").arg(QChar(u'А' + variant));
}

QString seedLine(std::uint32_t seed)
{
    return QStringLiteral("Начално число: %1").arg(seed);
}

QString problemName(int problem)
{
    return QStringLiteral("Задача %1.").arg(problem + 1);
}

QString answersTitle()
{
    return QStringLiteral("Отговори");
}

QPageSize printerPaper()
{
    const QPageSize paper = QPrinterInfo::defaultPrinter().defaultPageSize();
    return paper.isValid() ? paper : QPageSize(QPageSize::A4);
}

bool save(const gauss::Worksheet &sheet, bool solutions, const QPageSize &paper,
          const QString &fileName)
{
    if (QFileInfo(fileName).suffix().compare(QStringLiteral("tex"), Qt::CaseInsensitive) != 0)
        return savePdf(sheet, solutions, paper, fileName);
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const QByteArray text = LatexWriter::worksheet(sheet, solutions, paper).toUtf8();
    return file.write(text) == text.size() && file.flush();
}

// The problems, the key and the worked solutions, numbered as one paper.
bool savePdf(const gauss::Worksheet &sheet, bool solutions, const QPageSize &paper,
             const QString &fileName)
{
    QPdfWriter writer(fileName);
    writer.setTitle(title());
    writer.setCreator(QCoreApplication::applicationName());
    const QPageLayout layout(paper, QPageLayout::Portrait, margins, QPageLayout::Millimeter);
    writer.setPageLayout(layout);
    const QRect printable = layout.paintRectPixels(writer.resolution());
    Sheet pages(&writer, printable.width());
    addProblems(pages, sheet);
    addKey(pages, sheet);
    const qreal footer = QFontMetricsF(sheetFont(footerPoints), &writer).lineSpacing();
    int total = pages.place(printable.height() - 2 * footer);
    std::vector<HandoutPages> worked;
    for (std::size_t v = 0; solutions && v < sheet.variants.size(); ++v)
        for (std::size_t p = 0; p < sheet.variants[v].size(); ++p) {
            const gauss::Exercise &problem = sheet.variants[v][p];
            const int n = problem.choice.size;
            worked.emplace_back(
                ExerciseWords::workingOf(gauss::solveExactly(problem.system, n, n)), &writer, paper,
                writer.resolution(),
                QStringLiteral("%1, задача %2 — решение").arg(variantName(int(v))).arg(p + 1));
            total += worked.back().count();
        }
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    pages.draw(painter, writer, total);
    int first = pages.count() + 1;
    for (const HandoutPages &working : worked) {
        writer.setPageLayout(working.layout());
        working.draw(writer, painter, first, total);
        first += working.count();
    }
    return painter.end();
}

} // namespace Worksheet
