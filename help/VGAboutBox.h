// TAboutBox: "About These Programs", eight lines naming the program, its version, what it
// does and where to report problems. Closed with its close box.
#pragma once

#include <QDialog>
#include <array>

class QLabel;

namespace tarvell {

class TAboutBox : public QDialog {
    Q_OBJECT

  public:
    TAboutBox();

    std::array<QLabel*, 9> Label{};  // Label1 ... Label8
    void About1Click();
};

}  // namespace tarvell
