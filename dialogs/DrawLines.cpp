// The lines and circles dialog (see DrawLines.h).
#include "DrawLines.h"

#include <QAction>
#include <QButtonGroup>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "Fonts.h"
#include "ModalDialog.h"
#include "NumberField.h"
#include "Numbers.h"
#include "OverlayGeometry.h"
#include "PivotPicking.h"
#include "ProgramContext.h"

namespace tarvell {
namespace {

constexpr int kNumberWidth = 30;
constexpr int kFieldWidth = 66;
constexpr int kInfoWidths[] = {42, 62, 104};
constexpr int kRowHeight = 20;

const QColor kHighlight(255, 255, 192);

QString text(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// The colour swatch shown before a colour's name.
QString colourInfo(int colour) {
    static const char* const kSwatch[] = {"#000000", "#ff0000", "#008000",
                                          "#e0c000", "#0000ff", "#808080"};
    return QString("<span style=\"color:%1\">&#9632;</span> %2")
        .arg(kSwatch[colour], text(kOverlayColourNames[static_cast<std::size_t>(colour)]));
}

QString referenceInfo(const OverlayItem& item) {
    QString s = text(kOverlayReferenceNames[static_cast<std::size_t>(item.refMode)]);
    if (item.refMode == kPivot1Reference || item.refMode == kPivot1ToOriginReference)
        s += QString(" (%1)").arg(item.pivot1);
    else if (item.refMode == kPivot1ToPivot2Reference)
        s += QString(" (%1, %2)").arg(item.pivot1).arg(item.pivot2);
    return s;
}

QGroupBox* radioGroup(QWidget* parent, const QString& title, QButtonGroup*& group,
                      const QString& namePrefix, const auto& names, int columns) {
    auto* box = new QGroupBox(title, parent);
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(6, 4, 6, 4);
    grid->setSpacing(2);
    group = new QButtonGroup(box);
    for (int k = 0; k < static_cast<int>(names.size()); ++k) {
        auto* b = new QRadioButton(text(names[static_cast<std::size_t>(k)]), box);
        b->setObjectName(namePrefix + QString::number(k));
        group->addButton(b, k);
        grid->addWidget(b, k / columns, k % columns);
    }
    return box;
}

}  // namespace

TDrawLines::TDrawLines(ProgramContext& context) : QDialog(nullptr), context_(context) {
    setObjectName("TDrawLines");
    setWindowTitle("Draw Lines");
    setFont(dialogFont());
    setModal(true);

    auto* outer = new QHBoxLayout(this);
    auto* table = new QVBoxLayout;
    table->setSpacing(0);
    outer->addLayout(table);
    table->addWidget(createHeadings());
    createItemRows(table);
    outer->addLayout(createChoices());
    connectChoices();
    LinesDataClick();
}

QWidget* TDrawLines::createHeadings() {
    auto* heading = new QWidget(this);
    auto* headingLayout = new QHBoxLayout(heading);
    headingLayout->setContentsMargins(2, 0, 2, 2);
    headingLayout->setSpacing(2);
    auto addHeading = [&](const QString& s, int width) {
        auto* l = new QLabel(s, heading);
        l->setFixedWidth(width);
        l->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
        headingLayout->addWidget(l);
    };
    addHeading("Item", kNumberWidth);
    addHeading("Point 1\nVert", kFieldWidth);
    addHeading("Point 1\nHorz", kFieldWidth);
    addHeading("Point 2\nVert", kFieldWidth);
    addHeading("Point 2 Horz\n(Radius)", kFieldWidth);
    addHeading("Type", kInfoWidths[0]);
    addHeading("Colour", kInfoWidths[1]);
    addHeading("Reference", kInfoWidths[2]);
    return heading;
}

void TDrawLines::createItemRows(QVBoxLayout* table) {
    const char* fieldNames[] = {"Pt1Vert", "Pt1Horz", "Pt2Vert", "Pt2Horz"};
    const char* infoNames[] = {"TypeInfo", "ColourInfo", "RefInfo"};
    auto* numbers = new QButtonGroup(this);
    for (int i = 0; i < kItemCount; ++i) {
        ItemRow& r = rows[static_cast<std::size_t>(i)];
        r.row = new QWidget(this);
        r.row->setObjectName(QString("ItemRow%1").arg(i + 1));
        r.row->setAutoFillBackground(true);
        auto* layout = new QHBoxLayout(r.row);
        layout->setContentsMargins(2, 0, 2, 0);
        layout->setSpacing(2);
        r.number = new QPushButton(QString::number(i + 1), r.row);
        r.number->setObjectName(QString("Item%1").arg(i + 1));
        r.number->setCheckable(true);
        r.number->setFixedSize(kNumberWidth, kRowHeight);
        r.number->setToolTip("Make this item current");
        numbers->addButton(r.number, i);
        layout->addWidget(r.number);
        for (int f = 0; f < kFieldCount; ++f) {
            auto* field = new NumberField(r.row, true);
            field->setObjectName(QString("%1_%2").arg(fieldNames[f]).arg(i + 1));
            field->setFixedSize(kFieldWidth, kRowHeight);
            field->installEventFilter(this);
            r.field[static_cast<std::size_t>(f)] = field;
            layout->addWidget(field);
            connect(field, &NumberField::keyAccepted, this,
                    [&r, f] { r.typed[static_cast<std::size_t>(f)] = true; });
            connect(field, &QLineEdit::editingFinished, this, [this, i, f] { storeField(i, f); });
            connect(field, &NumberField::enterPressed, this, [this, i, f] {
                storeField(i, f);
                focusNextChild();
            });
        }
        for (int k = 0; k < kInfoCount; ++k) {
            auto* l = new QLabel(r.row);
            l->setObjectName(QString("%1_%2").arg(infoNames[k]).arg(i + 1));
            l->setFixedWidth(kInfoWidths[k]);
            r.info[static_cast<std::size_t>(k)] = l;
            layout->addWidget(l);
        }
        table->addWidget(r.row);
    }
    connect(numbers, &QButtonGroup::idClicked, this, [this](int i) { setCurrentItem(i + 1); });
}

// The choices for the current item beside the table, with the notes and Close.
QVBoxLayout* TDrawLines::createChoices() {
    auto* side = new QVBoxLayout;
    ItemBox = new QGroupBox(this);
    ItemBox->setObjectName("ItemBox");
    auto* itemLayout = new QVBoxLayout(ItemBox);
    itemLayout->addWidget(radioGroup(ItemBox, "Type", TypeGroup, "Type", kOverlayTypeNames, 2));
    itemLayout->addWidget(
        radioGroup(ItemBox, "Colour", ColourGroup, "Colour", kOverlayColourNames, 3));
    itemLayout->addWidget(
        radioGroup(ItemBox, "Reference", RefGroup, "Reference", kOverlayReferenceNames, 2));
    FromRefPtsBtn = new QPushButton("Points from Reference Points", ItemBox);
    FromRefPtsBtn->setObjectName("FromRefPtsBtn");
    FromRefPtsBtn->setToolTip(
        "Line from reference point 1 to 2; circle about point 1 through point 2");
    itemLayout->addWidget(FromRefPtsBtn);
    ClearItemBtn = new QPushButton("Clear Item", ItemBox);
    ClearItemBtn->setObjectName("ClearItemBtn");
    itemLayout->addWidget(ClearItemBtn);
    side->addWidget(ItemBox);

    RefPointsInfo = new QLabel(this);
    RefPointsInfo->setObjectName("RefPointsInfo");
    side->addWidget(RefPointsInfo);
    auto* help = new QLabel(
        "Points are in the item's reference:\n"
        "0,0  the driver centre, fixed.\n"
        "Pivot1  moves with pivot 1.\n"
        "Piv1/0,0  moves with pivot 1, Horz\n"
        "   pointing toward the driver centre.\n"
        "Piv1/Piv2  moves with pivot 1, Horz\n"
        "   pointing toward pivot 2.\n"
        "Pivots 1 and 2 are those nearest the\n"
        "reference points when the reference\n"
        "is chosen.",
        this);
    help->setObjectName("HelpNote");
    side->addWidget(help);
    side->addStretch();
    CloseBtn = new QPushButton("Close", this);
    CloseBtn->setObjectName("CloseBtn");
    CloseBtn->setAutoDefault(false);
    side->addWidget(CloseBtn);
    return side;
}

void TDrawLines::connectChoices() {
    connect(TypeGroup, &QButtonGroup::idClicked, this, [this](int id) { TypeClick(id); });
    connect(ColourGroup, &QButtonGroup::idClicked, this, [this](int id) { ColourClick(id); });
    connect(RefGroup, &QButtonGroup::idClicked, this, [this](int id) { ReferenceClick(id); });
    connect(FromRefPtsBtn, &QPushButton::clicked, this, [this] { FromRefPtsClick(); });
    connect(ClearItemBtn, &QPushButton::clicked, this, [this] { ClearItemClick(); });
    connect(CloseBtn, &QPushButton::clicked, this, &QDialog::accept);
    for (QPushButton* b : {FromRefPtsBtn, ClearItemBtn}) b->setAutoDefault(false);
}

void TDrawLines::dataSetReplaced() {
    // A data set brings its own overlay: the information labels are worked out afresh for it.
    clearInformationLabels();
    LinesDataClick();
}

void TDrawLines::DrawLines1Click() {
    if (referencePointsUnplaced(model().pivots)) {
        context_.refuse(
            "Place the reference points first (ReferPoints): lines and circles are drawn "
            "relative to them.");
        return;
    }
    execModal(*this, context_.mainWindow());
}

void TDrawLines::showEvent(QShowEvent* event) {
    LinesDataClick();
    QDialog::showEvent(event);
}

bool TDrawLines::eventFilter(QObject* watched, QEvent* event) {
    // Working in a row's field makes its item current.
    if (event->type() == QEvent::FocusIn) {
        for (int i = 0; i < kItemCount; ++i)
            for (NumberField* f : rows[static_cast<std::size_t>(i)].field)
                if (f == watched && i != currentIndex()) setCurrentItem(i + 1);
    }
    return QDialog::eventFilter(watched, event);
}

// --- The table --------------------------------------------------------------------------

int TDrawLines::currentIndex() const {
    const int n = context_.model().currentOverlayItem;
    return n >= 1 && n <= kItemCount ? n - 1 : 0;
}

OverlayItem& TDrawLines::currentItem() {
    return model().overlay[static_cast<std::size_t>(currentIndex())];
}

OverlayItem& TDrawLines::startedCurrentItem() {
    OverlayItem& item = currentItem();
    if (!overlayItemStarted(item)) startOverlayItem(item, model().pivots);
    return item;
}

void TDrawLines::LinesDataClick() {
    for (int i = 0; i < kItemCount; ++i) showRow(i);
    showReferencePoints();
    highlightCurrentItem();
}

void TDrawLines::clearInformationLabels() {
    for (ItemRow& r : rows)
        for (QLabel* l : r.info) l->clear();
}

void TDrawLines::highlightCurrentItem() {
    const int current = currentIndex();
    for (int i = 0; i < kItemCount; ++i) {
        ItemRow& r = rows[static_cast<std::size_t>(i)];
        QPalette pal = r.row->palette();
        pal.setColor(QPalette::Window,
                     i == current ? kHighlight : palette().color(QPalette::Window));
        r.row->setPalette(pal);
        r.number->setChecked(i == current);
    }
    showChoices();
}

void TDrawLines::showRow(int index) {
    ItemRow& r = rows[static_cast<std::size_t>(index)];
    const OverlayItem& item = model().overlay[static_cast<std::size_t>(index)];
    const bool started = overlayItemStarted(item);
    const bool circle = item.type == kCircleItem;
    const float values[] = {item.p1y, item.p1x, item.p2y, item.p2x};
    for (int f = 0; f < kFieldCount; ++f) {
        NumberField* field = r.field[static_cast<std::size_t>(f)];
        const bool unused = circle && f == Pt2Vert;  // a circle has only a radius
        if (started && !unused)
            field->setValue(values[f], 3);
        else
            field->clear();
        field->setEnabled(!unused);
        r.typed[static_cast<std::size_t>(f)] = false;
    }
    r.info[TypeInfo]->setText(started ? text(kOverlayTypeNames[static_cast<std::size_t>(item.type)])
                                      : QString());
    r.info[ColourInfo]->setText(item.colour >= 0 && item.colour < 6 ? colourInfo(item.colour)
                                                                    : QString());
    r.info[RefInfo]->setText(item.refMode >= 0 && item.refMode < 4 ? referenceInfo(item)
                                                                   : QString());
    r.row->setToolTip(overlayItemComplete(item) ? QString("Item %1 is drawn").arg(index + 1)
                                                : QString("Item %1 is not drawn").arg(index + 1));
}

void TDrawLines::showChoices() {
    const OverlayItem& item = currentItem();
    ItemBox->setTitle(QString("Item %1").arg(currentIndex() + 1));
    auto check = [](QButtonGroup* group, int id) {
        // An unset choice shows no button checked.
        group->setExclusive(false);
        for (QAbstractButton* b : group->buttons()) b->setChecked(group->id(b) == id);
        group->setExclusive(true);
    };
    check(TypeGroup, item.type);
    check(ColourGroup, item.colour);
    check(RefGroup, item.refMode);
}

void TDrawLines::showReferencePoints() {
    const PivotSet& p = model().pivots;
    auto line = [&](int which) {
        const Pivot& r = p[which == 1 ? kReferencePoint1 : kReferencePoint2];
        return QString("Reference point %1: V %2  H %3\n   nearest pivot %4")
            .arg(which)
            .arg(text(formatFixed(r.y, 6, 3)), text(formatFixed(r.x, 6, 3)))
            .arg(nearestPivotTo(p, r.x, r.y));
    };
    RefPointsInfo->setText(line(1) + "\n" + line(2));
}

void TDrawLines::itemChanged(int index) {
    showRow(index);
    if (index == currentIndex()) showChoices();
}

// --- Editing ----------------------------------------------------------------------------

void TDrawLines::setCurrentItem(int n) {
    if (n < 1 || n > kItemCount) return;
    model().currentOverlayItem = n;
    highlightCurrentItem();
}

void TDrawLines::storeField(int index, int field) {
    ItemRow& r = rows[static_cast<std::size_t>(index)];
    if (!r.typed[static_cast<std::size_t>(field)]) return;
    r.typed[static_cast<std::size_t>(field)] = false;
    const float value = r.field[static_cast<std::size_t>(field)]->value();
    OverlayItem& item = model().overlay[static_cast<std::size_t>(index)];
    if (!overlayItemStarted(item)) {
        // Typing into an unset item starts it; the other fields keep their defaults.
        startOverlayItem(item, model().pivots);
    }
    switch (field) {
        case Pt1Vert:
            item.p1y = value;
            break;
        case Pt1Horz:
            item.p1x = value;
            break;
        case Pt2Vert:
            if (item.type != kCircleItem) item.p2y = value;
            break;
        default:
            item.p2x = value;
            break;
    }
    itemChanged(index);
}

void TDrawLines::TypeClick(int type) {
    setOverlayType(startedCurrentItem(), type);
    itemChanged(currentIndex());
}

void TDrawLines::ColourClick(int colour) {
    startedCurrentItem().colour = colour;
    itemChanged(currentIndex());
}

void TDrawLines::ReferenceClick(int refMode) {
    setOverlayReference(startedCurrentItem(), model().pivots, refMode);
    itemChanged(currentIndex());
}

void TDrawLines::FromRefPtsClick() {
    overlayPointsFromReferencePoints(startedCurrentItem(), model().pivots);
    itemChanged(currentIndex());
}

void TDrawLines::ClearItemClick() {
    currentItem() = OverlayItem{};
    itemChanged(currentIndex());
}

}  // namespace tarvell
