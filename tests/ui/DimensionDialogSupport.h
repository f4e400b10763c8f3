// Helpers of the dimension dialog tests: open a dialog without a modal loop, type into a
// field and leave it the way a user does.
#pragma once

#include <QDialog>
#include <QPushButton>
#include <QTest>

#include "CylinOut.h"
#include "NumberField.h"
#include "TavFrame.h"
#include "UiTestSupport.h"

namespace tarvell::test {

class DimensionDialogTest : public ProgramTest {
  protected:
    TFrameDi& frameDi() { return *program_->frameDi; }
    TCylDimen& cylDimen() { return *program_->cylDimen; }

    // Shown and active, so focus moves and field exits happen as on the desktop.
    void open(QDialog& dialog) {
        dialog.show();
        dialog.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    }

    // Clicks into the field, replaces its text by typing `keys` (each key through the filter).
    static void type(NumberField* field, const char* keys) {
        field->setFocus();
        field->clear();
        QTest::keyClicks(field, keys);
    }

    // Moves the focus on to the dialog's Close button, which runs the field's exit.
    static void leave(DimensionDialog& dialog) { dialog.Close1->setFocus(); }

    static void typeAndLeave(DimensionDialog& dialog, int number, const char* keys) {
        type(dialog.Edit[static_cast<std::size_t>(number)], keys);
        leave(dialog);
    }
};

}  // namespace tarvell::test
