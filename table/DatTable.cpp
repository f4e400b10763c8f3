// The pivot data table window (see DatTable.h).
#include "DatTable.h"

#include <QAction>
#include <QDateTime>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QShowEvent>
#include <QVBoxLayout>

#include "PivotTableCsv.h"
#include "PivotTableText.h"
#include "SaveText.h"
#include "WindowPlacement.h"

namespace tarvell {

namespace {

const QString kTitleText = "Tarvell Outside Admission  Data Table  ";

// The table's columns are numbers right-aligned with spaces. In a proportional face a space
// is narrower than a digit or a minus sign, so the columns wander from row to row; a
// fixed-pitch face keeps every digit of a column under the one above, on screen and after
// pasting the text elsewhere.
QFont tableFont() {
    QFont f;
    f.setFamilies({"Courier New", "Liberation Mono", "Cousine", "DejaVu Sans Mono", "monospace"});
    f.setStyleHint(QFont::TypeWriter);
    f.setFixedPitch(true);
    f.setPixelSize(12);
    return f;
}

}  // namespace

TDataTable::TDataTable(ProgramContext& context) : QDialog(nullptr), context_(context) {
    setObjectName("TDataTable");
    setWindowTitle("Pivot Data Table");
    setModal(true);

    MainMenu1 = new QMenuBar(this);
    MainMenu1->setObjectName("MainMenu1");
    Close1 = MainMenu1->addAction("&Close ");
    Close1->setObjectName("Close1");
    Blank = MainMenu1->addAction(QString(14, ' '));  // keeps Edit away from Close
    Blank->setObjectName("Blank");
    Edit1 = MainMenu1->addMenu("&Edit");
    Edit1->setObjectName("Edit1");
    Edit1->menuAction()->setObjectName("Edit1");
    auto item = [this](const char* name, const QString& caption) {
        QAction* a = Edit1->addAction(caption);
        a->setObjectName(name);
        return a;
    };
    Cut1 = item("Cut1", "Cu&t");
    Copy1 = item("Copy1", "&Copy");
    Past1 = item("Past1", "&Paste");
    Edit1->addSeparator();
    SelectAll1 = item("SelectAll1", "Select&All");
    Cut1->setEnabled(false);
    Copy1->setEnabled(false);
    // "&Close " already answers Alt+C.
    SaveCsv = MainMenu1->addAction("&Save CSV...");
    SaveCsv->setObjectName("SaveCsv");

    DataMemo = new QPlainTextEdit(this);
    DataMemo->setObjectName("DataMemo");
    DataMemo->setFont(tableFont());
    DataMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
    DataMemo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    DataMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(MainMenu1);
    layout->addWidget(DataMemo);
    resize(620, 400);

    connect(Close1, &QAction::triggered, this, [this] { Close1Click(); });
    connect(Edit1, &QMenu::aboutToShow, this, [this] { Edit1Click(); });
    connect(Cut1, &QAction::triggered, this, [this] { Cut1Click(); });
    connect(Copy1, &QAction::triggered, this, [this] { Copy1Click(); });
    connect(Past1, &QAction::triggered, this, [this] { Past1Click(); });
    connect(SelectAll1, &QAction::triggered, this, [this] { SelectAll1Click(); });
    connect(SaveCsv, &QAction::triggered, this, [this] { SaveCsvClick(); });

    context.registerTitledWindow(this, kTitleText);
}

void TDataTable::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous()) return;  // only restored from a minimised state
    // The table is a snapshot of the gear: the driver stays where it was while it is read.
    placeWindow(this, context_.mainWindow(), objectName());
    if (!pause_) pause_.emplace(context_);
    FormActivate();
}

void TDataTable::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    if (event->spontaneous()) return;
    rememberWindowPlace(this, objectName());
    pause_.reset();
}

void TDataTable::FormActivate() {
    Model& m = context_.model();
    DataMemo->clear();
    Cut1->setEnabled(false);
    Copy1->setEnabled(false);
    SelectAll1->setEnabled(true);

    const QLocale locale = QLocale::system();
    const QDateTime now = QDateTime::currentDateTime();
    const PivotTableHeading heading{
        m.DataSetName, locale.toString(now.date(), QLocale::ShortFormat).toStdString(),
        locale.toString(now.time(), QLocale::ShortFormat).toStdString()};
    std::string text = buildPivotTable(m, heading);
    if (!text.empty() && text.back() == '\n') text.pop_back();  // no empty line after the last row
    // One piece: tens of thousands of rows appended one by one would take seconds.
    DataMemo->setPlainText(QString::fromStdString(text));
}

void TDataTable::Edit1Click() {
    if (DataMemo->textCursor().hasSelection()) {
        Cut1->setEnabled(true);
        Copy1->setEnabled(true);
    }
}

void TDataTable::Cut1Click() {
    DataMemo->cut();
    SelectAll1->setEnabled(true);
}

void TDataTable::Copy1Click() {
    DataMemo->copy();
    SelectAll1->setEnabled(true);
}

void TDataTable::Past1Click() {
    DataMemo->paste();
}

void TDataTable::SelectAll1Click() {
    DataMemo->selectAll();
    Cut1->setEnabled(true);
    Copy1->setEnabled(true);
    SelectAll1->setEnabled(false);
}

QString TDataTable::SaveCsvClick() {
    Model& m = context_.model();
    const QString date = QDateTime::currentDateTime().toString("yyyy-MM-dd HH:mm");
    const std::string csv = buildPivotTableCsv(m, m.DataSetName, date.toStdString());
    return saveExport(context_, this, "Save Pivot Data as CSV", "pivot-data.csv",
                      "CSV File (*.csv)", "csv", QByteArray::fromStdString(csv));
}

void TDataTable::Close1Click() {
    close();
}

}  // namespace tarvell
