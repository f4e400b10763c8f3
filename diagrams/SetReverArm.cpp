// The reverse arm position set dialog (see SetReverArm.h).
//
// The form is laid out for 120 pixels per inch: its boxes and button sit at 0.8 of their
// form positions on a 96 pixels-per-inch screen, while the texts it draws are placed in
// screen pixels, so each text lands just left of its box.
#include "SetReverArm.h"

#include "ImageView.h"

#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPaintEvent>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>

#include "DeviceImage.h"
#include "Fonts.h"
#include "Notch.h"
#include "NumberField.h"
#include "Numbers.h"
#include "QtCanvas.h"
#include "TextScale.h"
#include "ValveEvents.h"

namespace tarvell {
namespace {

constexpr double kFormScale = 0.8;  // 120 to 96 pixels per inch
constexpr int kClientWidth = 327;   // 409 x 154 form units
constexpr int kClientHeight = 123;

QRect formRect(int left, int top, int width, int height) {
    return QRect(roundToInt(left * kFormScale), roundToInt(top * kFormScale),
                 roundToInt(width * kFormScale), roundToInt(height * kFormScale));
}

struct BoxPlace {
    int left, top;     // form units
    int textX, textY;  // pixels
};
// Boxes 1-9 hold the positions and box 10 the vertical scale.
constexpr std::array<BoxPlace, 11> kBoxes = {{{0, 0, 0, 0},
                                              {138, 47, 13, 38},
                                              {138, 63, 13, 51},
                                              {138, 79, 13, 64},
                                              {138, 95, 13, 77},
                                              {333, 31, 165, 25},
                                              {333, 47, 165, 38},
                                              {333, 63, 165, 51},
                                              {333, 79, 165, 64},
                                              {333, 95, 165, 77},
                                              {138, 31, 13, 25}}};

constexpr float kMinScale = 0.1f;
constexpr float kMaxScale = 100.0f;  // beyond this every curve is flat

QColor windowColour() {
    return QPalette().color(QPalette::Window);
}

Rgb rgbOf(const QColor& c) {
    return Rgb{static_cast<std::uint8_t>(c.red()), static_cast<std::uint8_t>(c.green()),
               static_cast<std::uint8_t>(c.blue())};
}

}  // namespace

TSetRevArm::TSetRevArm(ProgramContext& context)
    : QDialog(nullptr, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                           Qt::MSWindowsFixedSizeDialogHint),
      context_(context),
      image_(deviceImage(QSize(kClientWidth, kClientHeight), 1.0)) {
    setObjectName("TSetRevArm");
    setWindowTitle("Set Reverse Arm Positions");
    setModal(true);
    setFont(dialogFont(roundToInt(14 * kFormScale)));
    image_.fill(windowColour());

    auto* box = new QVBoxLayout(this);
    box->setContentsMargins(0, 0, 0, 0);
    view_ = new ImageView(this, [this]() -> const QImage& { return image_; });
    view_->setObjectName("Client");
    view_->setFixedSize(image_.deviceIndependentSize().toSize());
    box->addWidget(view_);
    box->setSizeConstraint(QLayout::SetFixedSize);

    for (int k = 1; k <= 10; ++k) {
        auto* field = new NumberField(view_, true);
        field->setObjectName(QString("Edit%1").arg(k));
        const BoxPlace& place = kBoxes[static_cast<std::size_t>(k)];
        field->setGeometry(formRect(place.left, place.top, 49, 16));
        field->setFrame(false);
        QPalette pal = field->palette();
        pal.setColor(QPalette::Base, QColor(192, 192, 192));  // silver
        field->setPalette(pal);
        field->setAlignment(Qt::AlignLeft);
        field->installEventFilter(this);
        Edit[static_cast<std::size_t>(k)] = field;
    }
    Close1 = new QPushButton("Close", view_);
    Close1->setObjectName("Close1");
    Close1->setGeometry(formRect(158, 114, 92, 31));
    Close1->setDefault(false);
    Close1->setAutoDefault(false);
    connect(Close1, &QPushButton::clicked, this, [this] { Close1Click(); });

    auto* notch = new QHBoxLayout;
    notch->setContentsMargins(8, 0, 8, 2);
    auto* label = new QLabel("Notch, cut-off %", this);
    NotchCutOff = new QLineEdit("25", this);
    NotchCutOff->setObjectName("NotchCutOff");
    NotchCutOff->setMaximumWidth(48);
    label->setBuddy(NotchCutOff);
    NotchDirection = new QComboBox(this);
    NotchDirection->setObjectName("NotchDirection");
    NotchDirection->addItems({"fwd", "rev"});
    FillNotch = new QPushButton("&Fill entry", this);
    FillNotch->setObjectName("FillNotch");
    FillNotch->setAutoDefault(false);
    notch->addWidget(label);
    notch->addWidget(NotchCutOff);
    notch->addWidget(NotchDirection);
    notch->addWidget(FillNotch);
    box->addLayout(notch);
    NotchNote = new QLabel(this);
    NotchNote->setObjectName("NotchNote");
    NotchNote->setWordWrap(true);
    NotchNote->setContentsMargins(8, 0, 8, 4);
    NotchNote->setMaximumWidth(kClientWidth);
    box->addWidget(NotchNote);
    connect(FillNotch, &QPushButton::clicked, this, [this] { FillNotchClick(); });
    connect(this, &QDialog::finished, this, [this] { FormClose(); });
}

TSetRevArm::~TSetRevArm() = default;

void TSetRevArm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) FormActivate();
}

void TSetRevArm::FormActivate() {
    // Large-font mode: the drawn texts grow, so the boxes, the button and the dialog with them.
    const Model& m = model();
    const double fx = m.TextScaleX, fy = m.TextScaleY;
    const QSize client(roundToInt(kClientWidth * fx), roundToInt(kClientHeight * fy));
    if (image_.deviceIndependentSize().toSize() != client)
        image_ = deviceImage(client, view_->devicePixelRatioF());
    view_->setFixedSize(client);
    scaleLayout(view_, fx, fy);
    Refresh();
    Refresh();
    Close1->setFocus();
}

void TSetRevArm::Close1Click() {
    // A box being edited is left for the button, as a click on it would.
    if (const int k = boxIndex(focusWidget())) EditExit(k);
    accept();
    Refresh();  // the recount the diagrams draw with
}

void TSetRevArm::reject() {
    // Esc and the close box keep what was typed, as Close does; the recount waits for the
    // next opening.
    if (const int k = boxIndex(focusWidget())) EditExit(k);
    QDialog::reject();
}

void TSetRevArm::FormClose() {
    model().PositionsChanged = true;
}

void TSetRevArm::drawText(int x, int y, const std::string& text) {
    const Model& m = model();
    {
        QtCanvas canvas(image_, rgbOf(windowColour()));
        canvas.setBrush(false, rgbOf(windowColour()));
        canvas.setFont(FontSpec{textPoints(m, 8), false, colours::black});
        canvas.textOut(roundToInt(x * static_cast<double>(m.TextScaleX)),
                       roundToInt(y * static_cast<double>(m.TextScaleY)), text);
    }
    view_->update();
}

void TSetRevArm::drawPositionText(int k) {
    const BoxPlace& place = kBoxes[static_cast<std::size_t>(k)];
    drawText(place.textX, place.textY, "Rev Arm Position  " + formatInt(k, 1));
}

void TSetRevArm::Refresh() {
    Model& m = model();
    auto& set = m.reverseArmPositions;
    matchDeviceRatio(image_, *view_);
    image_.fill(windowColour());  // the window repainted: earlier texts go

    // 1. The header: the travel limits and the normal positions, from the reverse side to
    // the forward side.
    const double c = m.ReverseArmCentre();
    const double mx = m.frame.RevArmToCentMax, n = m.frame.RevArmToCentNorm;
    auto number = [](double v) { return formatFixed(v, 5, 3).substr(0, 10); };
    struct Label {
        const char* word;
        double value;
    };
    const bool forwardPositive = isForwardPositive(m);
    const std::array<Label, 5> labels = forwardPositive ? std::array<Label, 5>{{{"Min ", c - mx},
                                                                                {"Rev ", c - n},
                                                                                {"Cent ", c},
                                                                                {"Fwd ", c + n},
                                                                                {"Max ", c + mx}}}
                                                        : std::array<Label, 5>{{{"Max ", c + mx},
                                                                                {"Rev ", c + n},
                                                                                {"Cent ", c},
                                                                                {"Fwd ", c - n},
                                                                                {"Min ", c - mx}}};
    const int xs[5] = {10, 75, 140, 205, 270};
    for (std::size_t i = 0; i < labels.size(); ++i)
        drawText(xs[i], 4, (labels[i].word + number(labels[i].value)).substr(0, 14));

    // 2.-4. The boxes in use, the next one free, and the count.
    drawText(13, 98, "Max of 9 Positions");
    drawText(13, 38, "Rev Arm Position  1");
    fillBox(1, set[1]);
    for (std::size_t k = 1; k <= 8; ++k) {
        NumberField* next = Edit[k + 1];
        if (set[k] != 0.0f) {
            m.PositionCount = static_cast<int>(k);
            drawPositionText(static_cast<int>(k) + 1);
            next->setVisible(true);
        } else {
            set[k + 1] = 0;  // a zero ends the list
            next->setVisible(false);
        }
        fillBox(static_cast<int>(k) + 1, set[k + 1]);
    }
    if (set[9] != 0.0f) m.PositionCount = 9;

    // 5. The scale.
    fillBox(10, m.VerticalScale);
    drawText(13, 25, "Vertical Scale");
    Close1->setFocus();
}

void TSetRevArm::fillBox(int k, float value) {
    NumberField* box = Edit[static_cast<std::size_t>(k)];
    box->setValue(value);
    filledText_[static_cast<std::size_t>(k)] = box->text();
}

void TSetRevArm::EditKeyPress(int box) {
    if (box >= 1 && box <= 8) {
        drawPositionText(box + 1);
        Edit[static_cast<std::size_t>(box) + 1]->setVisible(true);
    }
}

void TSetRevArm::EditExit(int box) {
    Model& m = model();
    if (box < 1 || box > 10) return;
    // A box merely clicked into keeps the exact value behind its rounded text: mid gear
    // rounded to three decimals would fall on one side of the centre.
    const NumberField* field = Edit[static_cast<std::size_t>(box)];
    if (field->text() == filledText_[static_cast<std::size_t>(box)]) return;
    const float v = field->value();
    if (box == 10) {
        // Below 0.1 the diagrams would divide by next to nothing; above 100 they are flat.
        m.VerticalScale = v < kMinScale ? kMinScale : (v > kMaxScale ? kMaxScale : v);
        return;
    }
    float p = v;
    if (box == 1 && p == 0.0f) p = 0.001f;  // the first entry is never empty
    if (p != 0.0f) {
        const float c = m.ReverseArmCentre(), mx = m.frame.RevArmToCentMax;
        if (p < c - mx) p = c - mx;
        if (p > c + mx) p = c + mx;
    }
    m.reverseArmPositions[static_cast<std::size_t>(box)] = p;
}

void TSetRevArm::FillNotchClick() {
    bool ok = false;
    const double cutOff = NotchCutOff->text().trimmed().toDouble(&ok);
    const Notch notch{ok ? cutOff : std::nan(""), NotchDirection->currentIndex() == 0};
    Model& m = model();
    const NotchPosition found = findNotch(m, notch);
    if (!found.found) {
        NotchNote->setText(ok ? QString::fromStdString(found.reason)
                              : QString("\"%1\" is not a cut-off").arg(NotchCutOff->text()));
        return;
    }
    // The first empty entry, or the last.
    std::size_t k = 1;
    while (k < 9 && m.reverseArmPositions[k] != 0.0f) ++k;
    m.reverseArmPositions[k] = found.position;
    NotchNote->setText(QString("Entry %1: %2 at %3")
                           .arg(k)
                           .arg(QString::fromStdString(notchName(notch)),
                                QString::fromStdString(formatFixed(found.position, 0, 3))));
    Refresh();
}

int TSetRevArm::boxIndex(QObject* object) const {
    for (int k = 1; k <= 10; ++k)
        if (object && Edit[static_cast<std::size_t>(k)] == object) return k;
    return 0;
}

bool TSetRevArm::eventFilter(QObject* watched, QEvent* event) {
    if (const int k = boxIndex(watched)) {
        // A typed character (the box itself filters it): the next box opens whether the
        // box takes the key or not.
        if (event->type() == QEvent::KeyPress && !static_cast<QKeyEvent*>(event)->text().isEmpty())
            EditKeyPress(k);
        if (event->type() == QEvent::FocusOut) {
            const auto reason = static_cast<QFocusEvent*>(event)->reason();
            // Switching to another window is not leaving the box.
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
                EditExit(k);
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace tarvell
