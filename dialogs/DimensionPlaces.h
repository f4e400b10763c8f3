// Where each dimension's row stands in its dialog: the column, the label's and the field's y
// (the small button stands level with the label) and the number of the row's EditN and
// ButtonN. The dimension table itself (model/Data.h) says what each dimension is.
#pragma once

namespace tarvell {

struct DimensionPlace {
    int code = 0;
    int column = 0;        // 0 left, 1 right
    int labelY = 0;        // y of the label and of the small button
    int fieldY = 0;        // y of the edit field
    int dialogNumber = 0;  // number of the dialog's EditN / ButtonN
};

// The place of the row of dimension `code`; every code of the dimension table has one.
const DimensionPlace& placeOf(int code);

}  // namespace tarvell
