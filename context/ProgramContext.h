// What every window of the program shares, handed to each window instead of the program or
// the main window: the one Model, the sound output, the options and the error-message path,
// the window titles, the "UnDo" buttons kept enabled together, pausing the rotation loop, and
// the signals through which a window asks for what another window owns (the reverse arm
// scroll bar, the dynamic-variable bars) or hears that the whole data set was replaced; and
// whether the working design has changed since it was last opened or saved. Its signals are
// emitted only by its own methods, each of which does the job the signal announces.
#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

#include "DataFile.h"
#include "DesignSnapshot.h"
#include "ProgramOptions.h"
#include "Sound.h"
#include "Vari.h"

class QAbstractButton;

namespace tarvell {

class ProgramContext : public QObject {
    Q_OBJECT

  public:
    ProgramContext(std::unique_ptr<Sound> sound, ProgramOptions options);
    ~ProgramContext() override;
    ProgramContext(const ProgramContext&) = delete;
    ProgramContext& operator=(const ProgramContext&) = delete;

    Model& model() { return model_; }
    const Model& model() const { return model_; }
    Sound& sound() { return *sound_; }
    const ProgramOptions& options() const { return options_; }

    // An error message with an OK button (see ProgramOptions::showError), over the window that
    // raised it; returns when the user has closed it.
    void showErrorMessage(const QString& text);
    // The window a message or question belongs to: the one the user is working in (a modal
    // dialog, else the active window), else the main window. Parented to it, the message
    // never lifts another window over the one that asked.
    QWidget* messageParent() const;

    // Window titles: the given title text with the data set name, date, time and version;
    // `marked` puts a "*" before the name (the main window's, while changes are unsaved).
    // The date and time are formatted once a second.
    QString titleFor(const QString& titleText, bool marked = false) const;
    // Windows whose title the rotation loop rewrites on every tick.
    struct TitledWindow {
        QPointer<QWidget> window;
        QString titleText;
    };
    void registerTitledWindow(QWidget* window, const QString& titleText);
    const QList<TitledWindow>& titledWindows() const { return titledWindows_; }

    // The "UnDo" buttons of the main window and the diagram windows, enabled together.
    void registerUndoButton(QAbstractButton* button);
    void setUndoButtonsEnabled(bool enabled);

    // The rotation loop's timer, which a RotationPause stops.
    void setRotationTimer(QTimer* timer) { rotationTimer_ = timer; }
    // The main window: other windows open on its screen.
    void setMainWindow(QWidget* window) { mainWindow_ = window; }
    QWidget* mainWindow() const { return mainWindow_; }

    // Shows or hides the dynamic variables everywhere: the model's switch, then the signal.
    void setDynamicVariablesShown(bool shown);

    // --- Changes every window hears of ---
    // Puts a checked data set (from a file, the recovery file or a restart) in place of the
    // working design under `name`: mid gear worked out, the reverse arm's bar given its range
    // and taken to the set's position. Returns where the bar stands.
    ReverseArmBar replaceDesign(const DataSet& set, const std::string& name);
    // The dimensions changed (a dimension dialog closed, a balance was applied): mid gear is
    // worked out again, the arm put there and the cut-off read-outs cleared.
    void recomputeMidGear();
    // RevArmToCentMax changed: the reverse arm's bar takes its range from the model.
    void reverseArmTravelChanged();
    // The reverse arm's bar is to stand at `position` (its change handler runs even when it
    // stands there already, so the arm is taken onto it).
    void moveReverseArm(int position);
    // Every dimension went back to its default (ResetAllDimensions): a new, unnamed design.
    void designWasReset();

    // --- A design to compare the working one with ---
    // Another design (read from a file, or the working one as last saved), shown beside this
    // one by the valve events window and pale under the sine and steam diagrams; nothing when
    // no comparison is on. `name` says which design it is.
    void compareWith(const Model& other, const QString& name);
    void stopComparing();
    const Model* comparison() const { return comparison_ ? &*comparison_ : nullptr; }
    const QString& comparisonName() const { return comparisonName_; }

    // --- The working design against the one last opened or saved (or the defaults) ---
    // The design as it stands becomes the saved one.
    void markDesignSaved();
    // No saved design matches this one (a design restored after a crash): it stays changed
    // until it is saved.
    void markDesignUnsaved();
    bool designModified() const;
    // Whether an action that would replace the design may go on: at once when nothing
    // would be lost, otherwise as the guard decides (it asks the user to save, discard or
    // cancel, and saves when asked).
    void setUnsavedChangesGuard(std::function<bool()> guard) { guard_ = std::move(guard); }
    bool mayLoseChanges();

    // An action refused: the beep, and why, for the main window's status line.
    void refuse(const QString& why);
    // Something the user should know that needs no answer (a setting that could not be kept,
    // work that is not protected): no beep, the status line for a while.
    void note(const QString& text);

  signals:
    // Emitted only by the methods above (QPrivateSignal keeps others from emitting them).
    // RevArmToCentMax changed: the reverse arm scroll bar takes its range from the model.
    void reverseArmRangeChanged(QPrivateSignal);
    // The reverse arm scroll bar is to stand at `position`.
    void reverseArmMoveRequested(int position, QPrivateSignal);
    // The dynamic variables were shown or hidden (Model::DynamicVariablesShown).
    void dynamicVariablesShownChanged(bool shown, QPrivateSignal);
    // A whole data set replaced the working one (a file was opened, a design restored).
    void dataSetLoaded(QPrivateSignal);
    // Every dimension went back to its default (ResetAllDimensions): a new, unnamed design.
    void designReset(QPrivateSignal);
    // An action was refused, and why.
    void refused(const QString& why, QPrivateSignal);
    // A note for the status line (see note()).
    void noted(const QString& text, QPrivateSignal);
    // A comparison began, changed or ended.
    void comparisonChanged(QPrivateSignal);

  private:
    friend class RotationPause;
    void pauseRotation();
    void resumeRotation();

    Model model_;
    std::unique_ptr<Sound> sound_;
    ProgramOptions options_;
    QList<QPointer<QAbstractButton>> undoButtons_;
    QList<TitledWindow> titledWindows_;
    mutable qint64 titleSecond_ = -1;  // the second the cached date and time text is for
    mutable QString titleDateTime_;
    std::optional<DesignSnapshot> savedDesign_;  // none: nothing saved matches
    std::optional<Model> comparison_;
    QString comparisonName_;
    std::function<bool()> guard_;
    QPointer<QTimer> rotationTimer_;
    QPointer<QWidget> mainWindow_;
    int pauses_ = 0;
    bool resumeOnLastRelease_ = false;
};

// Holds the rotation loop still while it lives: windows that sweep the solver or show a
// snapshot of the gear keep one while they are shown. When the last pause ends, the timer
// starts again if it was running when the first began.
class RotationPause {
  public:
    explicit RotationPause(ProgramContext& context) : context_(context) {
        context_.pauseRotation();
    }
    ~RotationPause() { context_.resumeRotation(); }
    RotationPause(const RotationPause&) = delete;
    RotationPause& operator=(const RotationPause&) = delete;

  private:
    ProgramContext& context_;
};

}  // namespace tarvell
