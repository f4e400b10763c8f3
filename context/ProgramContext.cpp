// The program context (see ProgramContext.h).
#include "ProgramContext.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDateTime>
#include <QLocale>
#include <QMessageBox>
#include <QTimer>

#include "Calc.h"
#include "Readouts.h"
#include "TarvellVersion.h"

namespace tarvell {

ProgramContext::ProgramContext(std::unique_ptr<Sound> sound, ProgramOptions options)
    : sound_(std::move(sound)), options_(std::move(options)) {}

ProgramContext::~ProgramContext() = default;

void ProgramContext::showErrorMessage(const QString& text) {
    if (options_.showError) {
        options_.showError(text);
        return;
    }
    QMessageBox box(QMessageBox::Critical, QApplication::applicationName(), text, QMessageBox::Ok,
                    messageParent());
    box.exec();
}

QWidget* ProgramContext::messageParent() const {
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    if (QWidget* active = QApplication::activeWindow()) return active;
    return mainWindow_;
}

QString ProgramContext::titleFor(const QString& titleText, bool marked) const {
    // Formatting the date and time reads the time zone, which would otherwise happen several
    // times on every tick.
    const qint64 second = QDateTime::currentSecsSinceEpoch();
    if (second != titleSecond_ || titleDateTime_.isEmpty()) {
        const QDateTime now = QDateTime::currentDateTime();
        const QLocale locale = QLocale::system();
        titleSecond_ = second;
        titleDateTime_ = locale.toString(now.date(), QLocale::ShortFormat) + "   " +
                         locale.toString(now.time(), QLocale::LongFormat);
    }
    return titleText + (marked ? "*" : "") + QString::fromStdString(model_.DataSetName) + "     " +
           titleDateTime_ + "   " + "Version " + kProgramVersion;
}

void ProgramContext::registerTitledWindow(QWidget* window, const QString& titleText) {
    titledWindows_.append({window, titleText});
}

void ProgramContext::registerUndoButton(QAbstractButton* button) {
    undoButtons_.append(button);
}

void ProgramContext::setUndoButtonsEnabled(bool enabled) {
    for (const auto& b : std::as_const(undoButtons_))
        if (b) b->setEnabled(enabled);
}

void ProgramContext::setDynamicVariablesShown(bool shown) {
    model_.DynamicVariablesShown = shown;
    emit dynamicVariablesShownChanged(shown, QPrivateSignal());
}

ReverseArmBar ProgramContext::replaceDesign(const DataSet& set, const std::string& name) {
    const ReverseArmBar bar = applyDataSet(model_, set);
    model_.DataSetName = name;
    emit dataSetLoaded(QPrivateSignal());
    emit reverseArmRangeChanged(QPrivateSignal());
    emit reverseArmMoveRequested(bar.position, QPrivateSignal());
    return bar;
}

void ProgramContext::recomputeMidGear() {
    CalcMidGear(model_);
    emit reverseArmMoveRequested(0, QPrivateSignal());
    clearCutoffReadouts(model_);
}

void ProgramContext::reverseArmTravelChanged() {
    emit reverseArmRangeChanged(QPrivateSignal());
}

void ProgramContext::moveReverseArm(int position) {
    emit reverseArmMoveRequested(position, QPrivateSignal());
}

void ProgramContext::compareWith(const Model& other, const QString& name) {
    comparison_ = other;
    comparisonName_ = name;
    emit comparisonChanged(QPrivateSignal());
}

void ProgramContext::stopComparing() {
    if (!comparison_) return;
    comparison_.reset();
    comparisonName_.clear();
    emit comparisonChanged(QPrivateSignal());
}

void ProgramContext::designWasReset() {
    emit designReset(QPrivateSignal());
}

void ProgramContext::markDesignSaved() {
    savedDesign_ = designSnapshot(model_);
}

void ProgramContext::markDesignUnsaved() {
    savedDesign_.reset();
}

bool ProgramContext::designModified() const {
    return !savedDesign_ || !(*savedDesign_ == designSnapshot(model_));
}

bool ProgramContext::mayLoseChanges() {
    if (!designModified()) return true;
    return guard_ ? guard_() : true;
}

void ProgramContext::note(const QString& text) {
    emit noted(text, QPrivateSignal());
}

void ProgramContext::refuse(const QString& why) {
    sound_->beep();
    emit refused(why, QPrivateSignal());
}

void ProgramContext::pauseRotation() {
    if (pauses_++ > 0) return;
    resumeOnLastRelease_ = rotationTimer_ && rotationTimer_->isActive();
    if (rotationTimer_) rotationTimer_->stop();
}

void ProgramContext::resumeRotation() {
    if (pauses_ == 0 || --pauses_ > 0) return;
    if (resumeOnLastRelease_ && rotationTimer_) rotationTimer_->start();
    resumeOnLastRelease_ = false;
}

}  // namespace tarvell
