// Every command of every menu, in every window of the program, answers its own Alt key: no
// two items of one menu (or one menu bar) share an access key, and none lacks one.
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <map>

#include "UiTestSupport.h"

using namespace tarvell;

namespace {

class MenuAccessKeysTest : public test::ProgramTest {};

// The access key of a caption: the character after a single "&" ("&&" is a plain "&").
QChar accessKey(const QString& caption) {
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&') continue;
        if (caption[i + 1] != '&') return caption[i + 1].toUpper();
        ++i;
    }
    return {};
}

// Checks one menu's items, then the menus under it. `where` names the menu in failures.
void checkItems(const QList<QAction*>& items, const QString& where) {
    std::map<QChar, QString> taken;
    for (QAction* a : items) {
        // Separators and blank spacers are not commands; an icon-only mark has no caption.
        if (a->isSeparator() || a->text().trimmed().isEmpty()) continue;
        const QChar key = accessKey(a->text());
        EXPECT_FALSE(key.isNull()) << qPrintable(where + ": " + a->text());
        if (!key.isNull()) {
            const auto [at, fresh] = taken.emplace(key, a->text());
            EXPECT_TRUE(fresh) << qPrintable(where + ": " + a->text() + " and " + at->second);
        }
        if (a->menu()) checkItems(a->menu()->actions(), where + " > " + a->text());
    }
}

}  // namespace

TEST_F(MenuAccessKeysTest, EveryMenuItemHasItsOwnAccessKey) {
    int bars = 0;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        for (QMenuBar* bar : window->findChildren<QMenuBar*>()) {
            checkItems(bar->actions(), window->objectName());
            ++bars;
        }
    }
    // The main window, the five diagram windows and the pivot data table at least.
    EXPECT_GE(bars, 7);
}
