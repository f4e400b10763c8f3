// The common part of the dimension dialogs (see DimensionDialog.h).
#include "DimensionDialog.h"

#include <QFocusEvent>
#include <QFontInfo>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <algorithm>

#include "Calc.h"
#include "DimensionPlaces.h"
#include "DynamicVariables.h"
#include "Fonts.h"
#include "NumberField.h"
#include "Numbers.h"
#include "ProgramContext.h"
#include "TextScale.h"

namespace tarvell {
namespace {

constexpr int kFieldWidth = 40;
constexpr int kRowHeight = 13;
constexpr int kButtonWidth = 8;
const int kFieldX[] = {146, 342};
const int kButtonX[] = {0, 194};
const int kLabelX[] = {10, 204};
const int kDittoLabelX[] = {40, 234};  // a row that continues the thing named above it
const int kSecondLineX[] = {82, 266};

const QColor kSilver(192, 192, 192);

bool isDitto(const DimensionInfo& row) {
    return row.dialogLabel.starts_with('"');
}

QString qtext(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// The dialog font. The free faces standing in for the desktop's bitmap dialog face run about
// a tenth wider than it, and the rows were laid out for that face: narrow them to match.
QFont layoutFont() {
    QFont f = dialogFont();
    const QString family = QFontInfo(f).family();
    if (!family.startsWith("MS Sans Serif") && !family.startsWith("Microsoft Sans Serif"))
        f.setStretch(90);
    return f;
}

QLabel* newLabel(QWidget* parent, const QString& name, std::string_view text) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);  // keeps the runs of spaces
    label->setText(qtext(text));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setContentsMargins(0, 0, 0, 0);
    label->setMargin(0);
    label->setIndent(0);
    return label;
}

}  // namespace

DimensionDialog::DimensionDialog(ProgramContext& context, const Layout& layout)
    : QDialog(nullptr, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint | Qt::WindowSystemMenuHint),
      context_(context),
      layout_(layout) {
    setWindowTitle(layout.caption);
    setModal(true);
    setFont(layoutFont());
    setFixedSize(layout.client);
    // The form's background is the window colour of the desktop's edit fields.
    QPalette pal = palette();
    pal.setColor(QPalette::Window, pal.color(QPalette::Base));
    setPalette(pal);
    setAutoFillBackground(true);

    // Labels first, so a field covers any label text that runs under it.
    for (const DimensionInfo& row : layout_.rows) {
        const int n = placeOf(row.code).dialogNumber;
        label_[static_cast<std::size_t>(n)] =
            newLabel(this, QString("Label%1").arg(n), row.dialogLabel);
        if (!row.dialogLabel2.empty())
            label2_[static_cast<std::size_t>(n)] =
                newLabel(this, QString("Label%1b").arg(n), row.dialogLabel2);
    }
    instruction1_ = newLabel(this, "Instruction1", layout.instruction1.toStdString());
    instruction2_ = newLabel(this, "Instruction2", layout.instruction2.toStdString());

    for (const DimensionInfo& row : layout_.rows) {
        const DimensionPlace& place = placeOf(row.code);
        const int n = place.dialogNumber;
        const auto col = static_cast<std::size_t>(place.column);

        auto* button = new QPushButton(this);
        button->setObjectName(QString("Button%1").arg(n));
        // A row with a second text line has a button as high as both lines.
        button->setGeometry(kButtonX[col], place.labelY, kButtonWidth,
                            place.fieldY - place.labelY + kRowHeight);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [this, &row] { ButtonClick(row); });
        Button[static_cast<std::size_t>(n)] = button;

        auto* field = new NumberField(this, true);
        field->setObjectName(QString("Edit%1").arg(n));
        field->setGeometry(kFieldX[col], place.fieldY, kFieldWidth, kRowHeight);
        field->setFrame(false);
        field->setTextMargins(0, 0, 0, 0);
        // Gray rows silver, the normal travel white, the maximum travel the edit colour.
        const QColor back = row.gray         ? kSilver
                            : row.code == 27 ? QColor(Qt::white)
                                             : palette().color(QPalette::Base);
        field->setStyleSheet(
            QString("QLineEdit { padding: 0px; margin: 0px; border: none; background: %1; }")
                .arg(back.name()));
        field->installEventFilter(this);
        if (row.gray) {
            // Any accepted key (Enter and backspace too), or an edit such as a paste, makes
            // the field's exit record an undo entry.
            connect(field, &NumberField::keyAccepted, this, [this] { model().undoPending = true; });
            connect(field, &QLineEdit::textEdited, this, [this] { model().undoPending = true; });
        }
        // Enter moves on to Close, which makes the field's exit run.
        connect(field, &NumberField::enterPressed, this, [this] { Close1->setFocus(); });
        Edit[static_cast<std::size_t>(n)] = field;
    }

    Close1 = new QPushButton("Close", this);
    Close1->setObjectName("Close1");
    Close1->setGeometry(layout.close);
    connect(Close1, &QPushButton::clicked, this, [this] { Close1Click(); });
    placeLabels();
}

QPushButton* DimensionDialog::addResetButton(const QString& name, const QString& caption,
                                             const QRect& place) {
    reset_ = new QPushButton(caption, this);
    reset_->setObjectName(name);
    reset_->setGeometry(place);
    reset_->setAutoDefault(false);
    reset_->installEventFilter(this);
    connect(reset_, &QPushButton::clicked, this, [this] {
        // A click from the keyboard comes without a press: it asks now.
        if (!resetPressed_ && !context_.mayLoseChanges()) return;
        resetPressed_ = false;
        resetClick();
    });
    return reset_;
}

void DimensionDialog::placeLabels() {
    // Each label where the normal layout puts it; large-font mode scales the whole layout.
    auto place = [](QLabel* label, int x, int y) {
        label->move(x, y);
        label->adjustSize();
    };
    for (const DimensionInfo& row : layout_.rows) {
        const DimensionPlace& at = placeOf(row.code);
        const auto n = static_cast<std::size_t>(at.dialogNumber);
        const auto col = static_cast<std::size_t>(at.column);
        place(label_[n], isDitto(row) ? kDittoLabelX[col] : kLabelX[col], at.labelY);
        if (label2_[n]) place(label2_[n], kSecondLineX[col], at.fieldY);
    }
    place(instruction1_, 1, 190);
    place(instruction2_, 1, 203);
}

void DimensionDialog::applyTextScale() {
    // In large-font mode the texts grow: every label, field and button is placed and sized by
    // the same factors, so each text stays on its field's row, and the window grows with them.
    const Model& m = context_.model();
    const double sx = m.TextScaleX, sy = m.TextScaleY;
    scaleLayout(this, sx, sy);
    setFixedSize(std::max(layout_.client.width(), roundToInt(sx * layout_.client.width())),
                 std::max(layout_.client.height(), roundToInt(sy * layout_.client.height())));
}

void DimensionDialog::FormActivate() {
    applyTextScale();
    const Model& m = context_.model();
    for (const DimensionInfo& row : layout_.rows) {
        const auto n = static_cast<std::size_t>(placeOf(row.code).dialogNumber);
        const QString text = dimensionFieldText(dimensionValue(m, row), row.decimals);
        Edit[n]->setText(text);
        Edit[n]->setCursorPosition(0);  // a text wider than the field shows its beginning
        filledText_[n] = text;
    }
}

void DimensionDialog::EditExit(const DimensionInfo& row) {
    Model& m = model();
    const auto n = static_cast<std::size_t>(placeOf(row.code).dialogNumber);
    const QString text = Edit[n]->text();
    // A field left as it was filled keeps the dimension's exact value: its text may be
    // rounded to the row's decimals or cut to 10 characters.
    const float value =
        text == filledText_[n] ? dimensionValue(m, row) : parseLeadingNumber(text.toStdString());
    if (!row.gray) {
        storeWhiteRow(row, value);
        return;
    }
    if (StoreDimensionValue(m, row.code, value)) context_.setUndoButtonsEnabled(true);
}

void DimensionDialog::ButtonClick(const DimensionInfo& row) {
    model().HighlightCode = row.code;
}

void DimensionDialog::Close1Click() {
    recomputeMidGear();
    accept();
}

void DimensionDialog::reject() {
    // Esc and the close box leave as Close does: what is being typed is kept and mid gear is
    // worked out again, so the gear never runs on with a mid gear from the old dimensions.
    if (const DimensionInfo* row = rowOf(focusWidget())) EditExit(*row);
    quiet_ = true;
    Close1->setFocus();
    quiet_ = false;
    recomputeMidGear();
    QDialog::reject();
}

void DimensionDialog::recomputeMidGear() {
    context_.recomputeMidGear();
}

void DimensionDialog::emptySlots() {
    EmptyDynamicSlots(model());
}

void DimensionDialog::clearUndoStack() {
    ClearUndo(model());
    context_.setUndoButtonsEnabled(false);
}

void DimensionDialog::showEvent(QShowEvent* event) {
    quiet_ = true;
    Close1->setFocus();
    quiet_ = false;
    FormActivate();
    QDialog::showEvent(event);
}

void DimensionDialog::hideEvent(QHideEvent* event) {
    // A field that still has the focus is left as the window goes (the close box, or the
    // main window closing the dialog), so what was typed is not lost.
    if (const DimensionInfo* row = rowOf(focusWidget())) EditExit(*row);
    quiet_ = true;
    Close1->setFocus();
    quiet_ = false;
    QDialog::hideEvent(event);
}

bool DimensionDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut && !quiet_ &&
        static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
        if (const DimensionInfo* row = rowOf(watched)) EditExit(*row);
    } else if (event->type() == QEvent::MouseButtonRelease && watched == reset_) {
        // A press released off the button makes no click, and must not leave its mark for a
        // later click from the keyboard, which asks. (Released on it, the click clears it.)
        const auto* release = static_cast<QMouseEvent*>(event);
        if (!reset_->rect().contains(release->position().toPoint())) resetPressed_ = false;
    } else if (event->type() == QEvent::MouseButtonPress && watched == reset_) {
        if (context_.designModified()) {
            if (context_.mayLoseChanges()) resetClick();
            return true;
        }
        resetPressed_ = true;
        resetMouseDown();
    }
    return QDialog::eventFilter(watched, event);
}

const DimensionInfo* DimensionDialog::rowOf(QObject* field) const {
    if (!field) return nullptr;
    for (const DimensionInfo& row : layout_.rows)
        if (Edit[static_cast<std::size_t>(placeOf(row.code).dialogNumber)] == field) return &row;
    return nullptr;
}

}  // namespace tarvell
