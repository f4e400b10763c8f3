// An edit field for numbers that lets through only digits, backspace and Enter, and at most
// one "-" (when allowed) and one "." (each refused when the text already holds one).
// Enter is not typed: it is reported so the dialog can move the focus on.
#pragma once

#include <QLineEdit>

namespace tarvell {

class NumberField : public QLineEdit {
    Q_OBJECT

  public:
    explicit NumberField(QWidget* parent = nullptr, bool allowMinus = true);

    // The number in the field, read leniently ("5-" gives 5; "-", "." and "" give 0).
    float value() const;
    // Fills the field with a fixed-point number: `decimals` digits, at least 5 characters,
    // at most the first 10.
    void setValue(float v, int decimals = 3);

  signals:
    // A character the filter accepted (backspace '\b' and Enter '\r' included).
    void keyAccepted(QChar key);
    void enterPressed();

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    bool allowMinus_;
};

// The text of a dimension field: fixed-point, at least 5 characters wide, cut to 10.
QString dimensionFieldText(float v, int decimals);

}  // namespace tarvell
