// The instruction windows' shared frame (see InstructionWindow.h).
#include "InstructionWindow.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QShortcut>
#include <QTextBlock>
#include <QVBoxLayout>
#include <algorithm>

#include "Fonts.h"
#include "WindowPlacement.h"
#include "InstructionFile.h"

namespace tarvell {

namespace {
// The size a window first opens at: tall enough to follow a page of steps, wide enough for
// the texts' lines of at most 64 characters with room to spare. It may be made smaller down
// to the minimum, where those lines still fit and the find bar still shows whole.
constexpr int kClientWidth = 440;
constexpr int kClientHeight = 600;
constexpr int kMinimumWidth = 340;
constexpr int kMinimumHeight = 220;
// A one-letter search of a long text would make a highlight of nearly every word: beyond this
// many the matches are still counted and found, but no longer all marked.
constexpr int kMostHighlights = 2000;

const QColor kMatchColour(255, 236, 120);   // every match: pale yellow
const QColor kCurrentColour(255, 150, 50);  // the match selected: orange
constexpr Qt::CaseSensitivity kAnyCase = Qt::CaseInsensitive;

QTextCursor span(QTextDocument* document, qsizetype at, qsizetype length) {
    QTextCursor cursor(document);
    cursor.setPosition(static_cast<int>(at));
    cursor.setPosition(static_cast<int>(at + length), QTextCursor::KeepAnchor);
    return cursor;
}

}  // namespace

InstructionWindow::InstructionWindow(ProgramContext& context, const char* objectName,
                                     const QString& caption, const QString& fileName)
    : QDialog(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint),
      context_(context) {
    setObjectName(objectName);
    setWindowTitle(caption);
    setModal(false);
    setMinimumSize(kMinimumWidth, kMinimumHeight);
    resize(kClientWidth, kClientHeight);
    setFont(dialogFont(12));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, pal.color(QPalette::Button));  // button face
    setPalette(pal);

    // The label lies under the memo: it only records which file was loaded.
    Label1 = new QLabel("Label1", this);
    Label1->setObjectName("Label1");
    Label1->move(8, 8);

    Memo1 = new QPlainTextEdit("Memo1", this);
    Memo1->setObjectName("Memo1");
    Memo1->setReadOnly(true);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    Memo1->setToolTip(fileName);

    createFindBar();
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(Memo1, 1);
    column->addWidget(FindBox->parentWidget());
    // No narrower than the find bar needs.
    setMinimumWidth(std::max(kMinimumWidth, column->minimumSize().width()));

    FormCreate();
}

InstructionWindow::~InstructionWindow() {
    if (isVisible()) rememberPlace();
}

void InstructionWindow::FormCreate() {
    const QString fileName = Memo1->toolTip();
    const InstructionText loaded = loadInstructionText(fileName);
    if (loaded.loaded) {
        Memo1->setPlainText(loaded.text);
        Label1->setText(fileName);
    } else {
        context_.showErrorMessage(loaded.error);
    }
}

void InstructionWindow::createFindBar() {
    auto* bar = new QWidget(this);
    bar->setObjectName("FindBar");
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(6, 4, 6, 4);
    row->setSpacing(6);
    auto* label = new QLabel("&Find:", bar);
    FindBox = new QLineEdit(bar);
    FindBox->setObjectName("FindBox");
    FindBox->setClearButtonEnabled(true);
    label->setBuddy(FindBox);
    FindPrevious = new QPushButton("&Previous", bar);
    FindPrevious->setObjectName("FindPrevious");
    FindNext = new QPushButton("&Next", bar);
    FindNext->setObjectName("FindNext");
    // Enter belongs to the find box, not to a default button.
    for (QPushButton* b : {FindPrevious, FindNext}) {
        b->setAutoDefault(false);
        b->setFocusPolicy(Qt::TabFocus);
    }
    FindNote = new QLabel(bar);
    FindNote->setObjectName("FindNote");
    FindNote->setMinimumWidth(FindNote->fontMetrics().horizontalAdvance("999 of 999"));
    row->addWidget(label);
    row->addWidget(FindBox, 1);
    row->addWidget(FindPrevious);
    row->addWidget(FindNext);
    row->addWidget(FindNote);

    connect(FindNext, &QPushButton::clicked, this, [this] { findNext(); });
    connect(FindPrevious, &QPushButton::clicked, this, [this] { findPrevious(); });
    // Typing finds as it goes: the match under way grows, or the next one is taken.
    connect(FindBox, &QLineEdit::textChanged, this, [this] { find(true, true); });
    FindBox->installEventFilter(this);
    auto* goToBox = new QShortcut(QKeySequence::Find, this);
    connect(goToBox, &QShortcut::activated, this, [this] {
        FindBox->setFocus(Qt::ShortcutFocusReason);
        FindBox->selectAll();
    });
    auto* next = new QShortcut(QKeySequence(Qt::Key_F3), this);
    connect(next, &QShortcut::activated, this, [this] { findNext(); });
    auto* previous = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F3), this);
    connect(previous, &QShortcut::activated, this, [this] { findPrevious(); });
}

bool InstructionWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == FindBox && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            if (key->modifiers() & Qt::ShiftModifier)
                findPrevious();
            else
                findNext();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

// --- Finding ----------------------------------------------------------------------------

bool InstructionWindow::findNext() {
    return find(true, false);
}

bool InstructionWindow::findPrevious() {
    return find(false, false);
}

bool InstructionWindow::find(bool forward, bool fromCurrentStart) {
    const QString needle = FindBox->text();
    QTextCursor cursor = Memo1->textCursor();
    if (needle.isEmpty()) {
        Memo1->setExtraSelections({});
        FindNote->clear();
        return false;
    }
    const QString text = Memo1->toPlainText();
    qsizetype at = -1;
    if (forward)
        at = text.indexOf(
            needle, fromCurrentStart ? cursor.selectionStart() : cursor.selectionEnd(), kAnyCase);
    else if (cursor.selectionStart() > 0)
        at = text.lastIndexOf(needle, cursor.selectionStart() - 1, kAnyCase);
    const bool wrapped = at < 0;
    if (wrapped)
        at = forward ? text.indexOf(needle, 0, kAnyCase) : text.lastIndexOf(needle, -1, kAnyCase);
    if (at < 0) {
        // Nothing selected, the place kept: the next letters are looked for from here.
        cursor.setPosition(cursor.selectionStart());
        Memo1->setTextCursor(cursor);
        Memo1->setExtraSelections({});
        FindNote->setText("Not found");
        return false;
    }
    Memo1->setTextCursor(span(Memo1->document(), at, needle.size()));
    Memo1->centerCursor();
    highlightMatches(static_cast<int>(at), wrapped);
    return true;
}

void InstructionWindow::highlightMatches(int current, bool wrapped) {
    const QString needle = FindBox->text();
    const QString text = Memo1->toPlainText();
    QTextCharFormat match;
    match.setBackground(kMatchColour);
    QTextCharFormat chosen;
    chosen.setBackground(kCurrentColour);
    QList<QTextEdit::ExtraSelection> marks;
    int count = 0, number = 0;
    for (qsizetype at = text.indexOf(needle, 0, kAnyCase); at >= 0;
         at = text.indexOf(needle, at + needle.size(), kAnyCase)) {
        ++count;
        if (at == current) number = count;
        if (marks.size() < kMostHighlights)
            marks.append(
                {span(Memo1->document(), at, needle.size()), at == current ? chosen : match});
    }
    Memo1->setExtraSelections(marks);
    QString note = number > 0 ? QString("%1 of %2").arg(number).arg(count) : QString();
    if (wrapped && count > 1) note = "Wrapped, " + note;
    FindNote->setText(note);
}

// --- Showing and placing ----------------------------------------------------------------

void InstructionWindow::bringForward() {
    if (!placed_) place();
    if (isMinimized())
        showNormal();
    else
        show();
    raise();
    activateWindow();
}

QString InstructionWindow::settingsKey() const {
    return "help/" + objectName() + "/geometry";
}

void InstructionWindow::place() {
    placed_ = true;
    const QRect remembered = QSettings().value(settingsKey()).toRect();
    if (liesOnAScreen(remembered)) {
        setGeometry(remembered);
        return;
    }
    // This window's frame is not known before it is first shown: the reference's is the
    // best guess of it.
    QMargins frame;
    QRect reference;
    if (reference_) {
        reference = reference_->frameGeometry();
        const QRect inner = reference_->geometry();
        frame = QMargins(inner.left() - reference.left(), inner.top() - reference.top(),
                         reference.right() - inner.right(), reference.bottom() - inner.bottom());
    }
    const QScreen* shown = reference_ ? reference_->screen() : screen();
    const QRect free = shown->availableGeometry();
    const QSize client = QSize(kClientWidth, kClientHeight)
                             .boundedTo(free.size().shrunkBy(frame))
                             .expandedTo(minimumSize());
    if (!reference_) {
        resize(client);
        move(free.topLeft());
        return;
    }
    const int narrowest = minimumWidth() + frame.left() + frame.right();
    const QRect outer = placeBeside(reference, client.grownBy(frame), narrowest, free);
    resize(outer.size().shrunkBy(frame));
    move(outer.topLeft());
}

void InstructionWindow::rememberPlace() const {
    if (!placed_) return;
    const QRect normal = normalGeometry();
    QSettings().setValue(settingsKey(), normal.isEmpty() ? geometry() : normal);
}

void InstructionWindow::hideEvent(QHideEvent* event) {
    // A window minimised keeps its place; one closed remembers it.
    if (!isMinimized()) rememberPlace();
    QDialog::hideEvent(event);
}

}  // namespace tarvell
