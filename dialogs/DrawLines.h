// "Draw Lines": edits the 20 items of the lines and circles overlay. Each row shows one
// item's two points (for a circle its centre and radius) in the item's reference frame and
// three information labels (type, colour, reference); the choices on the right apply to the
// current item, whose row is highlighted. The main window draws the items on every tick.
#pragma once

#include <QDialog>
#include <array>

#include "ProgramContext.h"

class QButtonGroup;
class QGroupBox;
class QLabel;
class QPushButton;

class QVBoxLayout;

namespace tarvell {

class NumberField;

class TDrawLines : public QDialog {
    Q_OBJECT

  public:
    explicit TDrawLines(ProgramContext& context);

    static constexpr int kItemCount = 20;
    // The number fields of a row, in column order.
    enum Field { Pt1Vert, Pt1Horz, Pt2Vert, Pt2Horz, kFieldCount };
    // The information labels of a row.
    enum Info { TypeInfo, ColourInfo, RefInfo, kInfoCount };

    struct ItemRow {
        QWidget* row = nullptr;
        QPushButton* number = nullptr;
        std::array<NumberField*, kFieldCount> field{};
        std::array<QLabel*, kInfoCount> info{};
        std::array<bool, kFieldCount> typed{};  // a key went in since the field was filled
    };
    std::array<ItemRow, kItemCount> rows;

    QGroupBox* ItemBox = nullptr;
    QButtonGroup* TypeGroup = nullptr;    // ids 0-1: "Line", "Circle"
    QButtonGroup* ColourGroup = nullptr;  // ids 0-5: "Black" ... "Gray"
    QButtonGroup* RefGroup = nullptr;     // ids 0-3: "0,0" ... "Piv1/Piv2"
    QLabel* RefPointsInfo = nullptr;
    QPushButton* FromRefPtsBtn = nullptr;
    QPushButton* ClearItemBtn = nullptr;
    QPushButton* CloseBtn = nullptr;

    // The main window's "Draw Lines and Circles" command: beeps while neither reference point
    // has been placed (the items are tied to the pivots nearest them), otherwise opens.
    void DrawLines1Click();

    // Refreshes every row, the choices and the reference point note from the model.
    void LinesDataClick();
    // A whole data set replaced the design: its overlay is shown afresh.
    void dataSetReplaced();
    // Empties the three information labels of every row.
    void clearInformationLabels();
    // Highlights the current item's row (the model's current item) and shows its choices.
    void highlightCurrentItem();

    // Makes item n (1-20) current.
    void setCurrentItem(int n);
    void TypeClick(int type);
    void ColourClick(int colour);
    void ReferenceClick(int refMode);
    void FromRefPtsClick();
    void ClearItemClick();

  protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // The parts of the window, made once.
    QWidget* createHeadings();
    void createItemRows(QVBoxLayout* table);
    QVBoxLayout* createChoices();
    void connectChoices();
    Model& model() { return context_.model(); }
    int currentIndex() const;  // 0-19
    OverlayItem& currentItem();
    // The current item, started with its defaults first if it was unset.
    OverlayItem& startedCurrentItem();
    void storeField(int index, int field);
    void showRow(int index);
    void showChoices();
    void showReferencePoints();
    void itemChanged(int index);

    ProgramContext& context_;
};

}  // namespace tarvell
