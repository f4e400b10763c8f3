// The design sheet (see DesignSheet.h). Pages are laid out in points from the page's corner;
// texts are laid out with fonts sized in those points, so a line's height is the same on every
// device.
#include "DesignSheet.h"

#include <QBuffer>
#include <QFont>
#include <QFontMetricsF>
#include <QLocale>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <array>
#include <functional>

#include "Data.h"
#include "Numbers.h"
#include "TarvellVersion.h"
#include "ValveEventsTable.h"
#include "Vari.h"

namespace tarvell {

namespace {

constexpr double kMargin = 40;     // points on every side
constexpr double kFooterGap = 22;  // from the foot of the text area to the page number line
constexpr int kResolution = 600;   // dots per inch the PDF's coordinates are written at

// The size of the tables' text.
constexpr double kTableFontPoints = 7;

QFont sheetFont(double points, bool bold = false) {
    QFont font("Liberation Sans");
    font.setStyleHint(QFont::SansSerif);
    // The painter works in points: a pixel size here is a size in points on the page.
    font.setPixelSize(std::max(1, static_cast<int>(points + 0.5)));
    font.setBold(bold);
    return font;
}

// One page's drawing, in points, within the text area `area`.
using PageDraw = std::function<void(QPainter&, const QRectF& area)>;

// Draws a line of text with its top at `y`; returns the y below it.
double textLine(QPainter& p, double x, double y, const QString& text, const QFont& font) {
    p.setPen(Qt::black);
    p.setFont(font);
    const QFontMetricsF metrics(font, p.device());
    p.drawText(QPointF(x, y + metrics.ascent()), text);
    return y + metrics.lineSpacing();
}

QString dimensionLabel(const DimensionInfo& d) {
    QString label =
        QString::fromUtf8(d.dialogLabel.data(), static_cast<qsizetype>(d.dialogLabel.size()))
            .simplified();
    if (!d.dialogLabel2.empty())
        label += " " + QString::fromUtf8(d.dialogLabel2.data(),
                                         static_cast<qsizetype>(d.dialogLabel2.size()))
                           .simplified();
    return label;
}

// A column of dimensions: code, name and value, with a heading.
double drawDimensions(QPainter& p, double x, double y, double width, const QString& heading,
                      std::span<const DimensionInfo> table, const Model& m) {
    y = textLine(p, x, y, heading, sheetFont(10, true));
    const QFont font = sheetFont(8);
    p.setFont(font);
    const QFontMetricsF metrics(font, p.device());
    const double row = metrics.lineSpacing() + 1.5;
    for (const DimensionInfo& d : table) {
        const QString value =
            QString::fromStdString(formatFixed(dimensionValue(m, d), 0, d.decimals));
        const double base = y + metrics.ascent();
        p.drawText(QRectF(x, y, 22, row), Qt::AlignRight | Qt::AlignTop, QString::number(d.code));
        p.drawText(QPointF(x + 30, base), dimensionLabel(d));
        p.drawText(QRectF(x, y, width, row), Qt::AlignRight | Qt::AlignTop, value);
        y += row;
    }
    return y;
}

// A table of cells with a two-line heading row; the last column may wrap. Returns the y below.
double drawTable(QPainter& p, double x, double y, const std::vector<double>& widths,
                 const std::vector<QString>& headings,
                 const std::vector<std::vector<QString>>& rows) {
    const QFont headFont = sheetFont(kTableFontPoints), font = sheetFont(kTableFontPoints);
    const QFontMetricsF metrics(font, p.device());
    const double line = metrics.lineSpacing();
    const double total = [&] {
        double w = 0;
        for (double c : widths) w += c;
        return w;
    }();
    p.setPen(QPen(Qt::black, 0.5));
    p.drawLine(QPointF(x, y), QPointF(x + total, y));
    p.setFont(headFont);
    double cx = x;
    for (std::size_t c = 0; c < widths.size(); ++c) {
        const bool left = c < 3 || (c + 1 == widths.size() && headings[c] == "Note");
        p.drawText(QRectF(cx + 2, y + 1, widths[c] - 4, 2 * line),
                   (left ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignTop, headings[c]);
        cx += widths[c];
    }
    y += 2 * line + 2;
    p.drawLine(QPointF(x, y), QPointF(x + total, y));
    p.setFont(font);
    for (const std::vector<QString>& cells : rows) {
        // A note wraps within its column, and its row grows to hold it.
        double height = line;
        if (headings.back() == "Note" && !cells.back().isEmpty())
            height = std::max(height, metrics
                                          .boundingRect(QRectF(0, 0, widths.back() - 4, 1000),
                                                        Qt::TextWordWrap, cells.back())
                                          .height());
        cx = x;
        for (std::size_t c = 0; c < widths.size() && c < cells.size(); ++c) {
            const bool note = c + 1 == widths.size() && headings.back() == "Note";
            const int align = note    ? Qt::AlignLeft | Qt::TextWordWrap
                              : c < 3 ? int(Qt::AlignLeft)
                                      : int(Qt::AlignRight);
            p.drawText(QRectF(cx + 2, y + 1, widths[c] - 4, height), align | Qt::AlignTop,
                       cells[c]);
            cx += widths[c];
        }
        y += height + 1;
    }
    p.drawLine(QPointF(x, y), QPointF(x + total, y));
    return y;
}

QString fromStd(const std::string& s) {
    return QString::fromStdString(s);
}

// The events of the set's entries and the named positions: the front end's columns, the rear
// end's, then the differences, MEPs and notes, each block with the key columns; then the
// mid-gear block.
void drawEvents(QPainter& p, const QRectF& area, const Model& m) {
    const ValveEventsTable table = buildValveEventsTable(m);
    const std::vector<EventsColumn>& columns = valveEventsColumns();
    std::vector<std::vector<QString>> cells;
    for (const EventsTableRow& row : table.rows) {
        std::vector<QString> texts;
        for (const std::string& t : valveEventsRowCells(table, row, "-"))
            texts.push_back(fromStd(t));
        cells.push_back(std::move(texts));
    }
    double y = textLine(p, area.left(), area.top(), "Valve events", sheetFont(12, true));
    y = textLine(p, area.left(), y + 2,
                 "At the reverse arm position set and the normal and maximum positions; "
                 "\"-\": the event does not occur.",
                 sheetFont(8));
    // Each column as wide as its heading's lines and its cells need, the spare width of a block
    // shared evenly.
    const QFontMetricsF tableMetrics(sheetFont(kTableFontPoints), p.device());
    auto needed = [&](std::size_t c) {
        double w = 0;
        for (const QString& line : fromStd(std::string(columns[c].heading)).split('\n'))
            w = std::max(w, tableMetrics.horizontalAdvance(line));
        for (const std::vector<QString>& row : cells)
            if (c < row.size()) w = std::max(w, tableMetrics.horizontalAdvance(row[c]));
        return w + 8;  // the cell's padding and a little air
    };
    struct Block {
        QString title;
        std::size_t first, count;
    };
    const std::size_t endColumns = kEventsEndColumns, key = kEventsKeyColumns;
    const std::size_t rest = columns.size() - key - 2 * endColumns;
    const std::array<Block, 3> blocks{Block{"Front end", key, endColumns},
                                      Block{"Rear end", key + endColumns, endColumns},
                                      Block{"Both ends", key + 2 * endColumns, rest}};
    std::vector<double> keyWidths;
    double keyTotal = 0;
    for (std::size_t c = 0; c < key; ++c) keyTotal += keyWidths.emplace_back(needed(c));
    for (const Block& b : blocks) {
        y = textLine(p, area.left(), y + 10, b.title, sheetFont(10, true)) + 2;
        std::vector<double> widths = keyWidths;
        std::vector<QString> headings;
        for (std::size_t c = 0; c < key; ++c)
            headings.push_back(fromStd(std::string(columns[c].heading)));
        const bool notes = b.first + b.count == columns.size();
        double used = keyTotal;
        for (std::size_t c = b.first; c < b.first + b.count; ++c) {
            headings.push_back(fromStd(std::string(columns[c].heading)));
            used += widths.emplace_back(notes && c + 1 == columns.size() ? 0.0 : needed(c));
        }
        // The notes wrap within their column: half the spare is theirs, the rest the figures'.
        const double spare = area.width() - used, toNotes = notes ? spare / 2 : 0.0;
        const std::size_t figures = notes ? b.count - 1 : b.count;
        for (std::size_t c = key; c < key + figures; ++c)
            widths[c] += (spare - toNotes) / static_cast<double>(figures);
        widths.back() += toNotes;
        std::vector<std::vector<QString>> rows;
        for (const std::vector<QString>& row : cells) {
            std::vector<QString> part(row.begin(), row.begin() + static_cast<long>(key));
            for (std::size_t c = b.first; c < b.first + b.count && c < row.size(); ++c)
                part.push_back(row[c]);
            rows.push_back(std::move(part));
        }
        y = drawTable(p, area.left(), y, widths, headings, rows);
    }
    // The block's first row is its heading: "Mid gear", "Front", "Rear".
    y += 10;
    bool heading = true;
    for (const std::array<std::string, 3>& row : midGearCells(table.midGear)) {
        const QFont font = heading ? sheetFont(10, true) : sheetFont(8);
        heading = false;
        p.setFont(font);
        const QFontMetricsF metrics(font, p.device());
        p.drawText(QPointF(area.left(), y + metrics.ascent()), fromStd(row[0]));
        p.drawText(QRectF(area.left() + 100, y, 80, metrics.lineSpacing()), Qt::AlignRight,
                   fromStd(row[1]));
        p.drawText(QRectF(area.left() + 180, y, 80, metrics.lineSpacing()), Qt::AlignRight,
                   fromStd(row[2]));
        y += metrics.lineSpacing() + 1;
    }
}

void drawPictureBlock(QPainter& p, double x, double y, double width, double height,
                      const SheetPicture& picture) {
    const double top = textLine(p, x, y, picture.title, sheetFont(11, true)) + 4;
    const QSize size = picture.size;
    if (size.isEmpty()) return;
    const double room = height - (top - y);
    const double scale = std::min(width / size.width(), room / size.height());
    const QRectF frame(x, top, size.width() * scale, size.height() * scale);
    renderPicture(p, frame, size, picture.draw);
    p.setPen(QPen(Qt::gray, 0.5));
    p.setBrush(Qt::NoBrush);
    p.drawRect(frame);
}

}  // namespace

QPageSize sheetPageSize(const QLocale& locale) {
    return QPageSize(locale.measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter
                                                                             : QPageSize::A4);
}

QByteArray designSheetPdf(const Model& m, const SheetHeader& header,
                          const std::vector<SheetPicture>& pictures, const QPageSize& pageSize) {
    std::vector<PageDraw> pages;
    const QString name = header.dataSetName.simplified().isEmpty()
                             ? "Unnamed data set"
                             : header.dataSetName.simplified();
    pages.push_back([&](QPainter& p, const QRectF& area) {
        double y =
            textLine(p, area.left(), area.top(), "Design sheet: " + name, sheetFont(16, true));
        y = textLine(p, area.left(), y + 4,
                     "Data file: " + (header.file.isEmpty() ? "(not saved)" : header.file),
                     sheetFont(9));
        y = textLine(p, area.left(), y,
                     "Made " + header.date + " by Tarvell " + QString(kProgramVersion),
                     sheetFont(9));
        y += 14;
        const double half = (area.width() - 20) / 2;
        drawDimensions(p, area.left(), y, half, "Frame dimensions", frameDimensionTable(), m);
        drawDimensions(p, area.left() + half + 20, y, half, "Cylinder dimensions",
                       cylinderDimensionTable(), m);
    });
    pages.push_back([&](QPainter& p, const QRectF& area) { drawEvents(p, area, m); });
    for (std::size_t i = 0; i < pictures.size(); i += 2) {
        pages.push_back([&, i](QPainter& p, const QRectF& area) {
            const double half = (area.height() - 20) / 2;
            drawPictureBlock(p, area.left(), area.top(), area.width(), half, pictures[i]);
            if (i + 1 < pictures.size())
                drawPictureBlock(p, area.left(), area.top() + half + 20, area.width(), half,
                                 pictures[i + 1]);
        });
    }

    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setResolution(kResolution);
    writer.setTitle("Design sheet: " + name);
    writer.setCreator(QString("Tarvell ") + kProgramVersion);
    writer.setPageLayout(QPageLayout(pageSize, QPageLayout::Portrait, QMarginsF()));
    QPainter painter;
    if (!painter.begin(&writer)) return {};
    painter.scale(kResolution / 72.0, kResolution / 72.0);
    const QSizeF page = pageSize.size(QPageSize::Point);
    const QRectF area(kMargin, kMargin, page.width() - 2 * kMargin,
                      page.height() - 2 * kMargin - kFooterGap);
    const QString count = QString::number(pages.size());
    for (std::size_t i = 0; i < pages.size(); ++i) {
        if (i > 0) writer.newPage();
        painter.save();
        painter.setPen(Qt::black);
        pages[i](painter, area);
        painter.restore();
        painter.setPen(Qt::black);
        const QFont footer = sheetFont(8);
        const double footY = page.height() - kMargin - 10;
        textLine(painter, area.left(), footY, name + "   " + header.date, footer);
        painter.drawText(QRectF(area.left(), footY, area.width(), 12),
                         Qt::AlignRight | Qt::AlignTop,
                         "Page " + QString::number(i + 1) + " of " + count);
    }
    if (!painter.end()) return {};
    return bytes;
}

}  // namespace tarvell
