// The dimension dialogs' fields focused and left without typing: a value with more decimals
// than its field shows stays exactly as it was, and nothing records a change.
#include <bit>
#include <cstdint>

#include "DimensionDialogSupport.h"
#include "DimensionPlaces.h"
#include "Numbers.h"

using namespace tarvell;

namespace {

class UntouchedFields : public test::DimensionDialogTest {};

}  // namespace

TEST_F(UntouchedFields, KeepTheirValuesToTheBitWithoutAnUndoEntryOrAChange) {
    Model& m = model();
    // Every dimension given a value its field cannot show: the defaults that have more
    // decimals than their rows (0.5313, 3.3125, ...) as they are, the others with a little
    // more. Both travels move alike, so the normal stays within the maximum.
    for (const DimensionInfo& d : allDimensions()) {
        const float value = dimensionValue(m, d);
        if (parseLeadingNumber(formatFixed(value, 0, d.decimals)) == value)
            setDimensionValue(m, d.code, value + 0.000371f);
    }
    program_->context().markDesignSaved();
    const int undoCount = m.undoCount;

    int fields = 0;
    for (DimensionDialog* dialog :
         {static_cast<DimensionDialog*>(&frameDi()), static_cast<DimensionDialog*>(&cylDimen())}) {
        open(*dialog);
        for (const DimensionInfo& d : allDimensions()) {
            NumberField* field =
                dialog->Edit[static_cast<std::size_t>(placeOf(d.code).dialogNumber)];
            if (groupOf(d) !=
                (dialog == &frameDi() ? DimensionGroup::Frame : DimensionGroup::Cylinder))
                continue;
            const float before = dimensionValue(m, d);
            ASSERT_NE(parseLeadingNumber(field->text().toStdString()), before) << d.field;
            field->setFocus();
            leave(*dialog);
            EXPECT_EQ(std::bit_cast<std::uint32_t>(dimensionValue(m, d)),
                      std::bit_cast<std::uint32_t>(before))
                << d.field << " " << before << " " << dimensionValue(m, d);
            ++fields;
        }
        dialog->hide();
    }
    EXPECT_EQ(fields, 49);
    EXPECT_EQ(m.undoCount, undoCount);
    EXPECT_FALSE(form().UnDoDn->isEnabled());
    EXPECT_FALSE(program_->context().designModified());
}
