// The design sheet: a PDF to keep with the drawings or hand to whoever cuts the metal. The
// data set's name, file and date; every dimension with its code and value; the valve events
// table of the reverse arm position set; and the pictures the windows draw (the mechanism,
// the diagrams), as vectors with the texts selectable and the fonts embedded. Every page
// carries its number and the number of pages.
#pragma once

#include <QByteArray>
#include <QPageSize>
#include <QSize>
#include <QString>
#include <vector>

#include "PictureExport.h"

class QLocale;

namespace tarvell {

struct Model;

struct SheetPicture {
    QString title;  // the heading above it
    QSize size;     // the size it is drawn at, scaled to the page's width
    DrawPicture draw;
};

struct SheetHeader {
    QString dataSetName;
    QString file;  // the data file, or empty for a design never saved
    QString date;
};

// Letter where the locale measures in US units, A4 everywhere else.
QPageSize sheetPageSize(const QLocale& locale);

// The sheet as PDF bytes: the header and the dimensions, the events table, then the pictures
// two to a page. Empty when the PDF could not be made.
QByteArray designSheetPdf(const Model& m, const SheetHeader& header,
                          const std::vector<SheetPicture>& pictures, const QPageSize& pageSize);

}  // namespace tarvell
