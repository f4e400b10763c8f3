// A number edit field with the program's key filter (see NumberField.h).
#include "NumberField.h"

#include <QKeyEvent>

#include "Numbers.h"

namespace tarvell {

NumberField::NumberField(QWidget* parent, bool allowMinus)
    : QLineEdit(parent), allowMinus_(allowMinus) {}

float NumberField::value() const {
    return parseLeadingNumber(text().toStdString());
}

void NumberField::setValue(float v, int decimals) {
    setText(dimensionFieldText(v, decimals));
}

QString dimensionFieldText(float v, int decimals) {
    return QString::fromStdString(formatFixed(v, 5, decimals)).left(10);
}

void NumberField::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        emit keyAccepted(QChar('\r'));
        emit enterPressed();
        event->accept();
        return;
    }
    if (key == Qt::Key_Backspace) {
        emit keyAccepted(QChar('\b'));
        QLineEdit::keyPressEvent(event);
        return;
    }
    const QString typed = event->text();
    const bool isCharacter = !typed.isEmpty() && typed.at(0).isPrint() &&
                             !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    if (!isCharacter) {
        QLineEdit::keyPressEvent(event);  // navigation, selection, copy and paste keys
        return;
    }
    const QChar c = typed.at(0);
    bool accept = c.isDigit() && c.unicode() < 128;
    if (c == '-') accept = allowMinus_ && !text().contains('-');
    if (c == '.') accept = !text().contains('.');
    if (!accept) {
        event->accept();
        return;
    }
    emit keyAccepted(c);
    QLineEdit::keyPressEvent(event);
}

}  // namespace tarvell
