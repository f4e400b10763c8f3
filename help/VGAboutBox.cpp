// The about window (see VGAboutBox.h).
#include "VGAboutBox.h"

#include <QLabel>

#include "Fonts.h"
#include "TarvellVersion.h"

namespace tarvell {

namespace {

constexpr int kClientWidth = 340;
constexpr int kClientHeight = 143;

const QString kVersion = QString::fromLatin1(kProgramVersion);
const QString kLines[8] = {
    "Tarvell Outside Admission",
    "Valve Gear Simulator     Version " + kVersion,
    "Simulates and animates the Tarvell valve gear",
    "driving an outside-admission slide valve.",
    "Version " + kVersion + ": rebuilt in C++ and Qt 6 for today's desktops.",
    "How to use it: the two texts in the Help menu.",
    "The Tarvell valve gear simulator project",
    "Report problems through the project's issue tracker.",
};

}  // namespace

TAboutBox::TAboutBox()
    : QDialog(nullptr, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint) {
    setObjectName("TAboutBox");
    setWindowTitle("About These Programs");
    setModal(true);
    setFixedSize(kClientWidth, kClientHeight);
    setFont(dialogFont(11));
    for (int i = 1; i <= 8; ++i) {
        auto* label = new QLabel(kLines[i - 1], this);
        label->setObjectName(QString("Label%1").arg(i));
        label->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
        label->setGeometry(4, 6 + 16 * (i - 1), kClientWidth - 8, 16);
        Label[static_cast<std::size_t>(i)] = label;
    }
    QFont title = Label[1]->font();
    title.setBold(true);
    title.setPixelSize(13);
    Label[1]->setFont(title);
}

void TAboutBox::About1Click() {
    exec();
}

}  // namespace tarvell
