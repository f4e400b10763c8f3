// The fonts of the program's windows (see Fonts.h).
#include "Fonts.h"

#include <QStringList>

namespace tarvell {

QFont mainControlFont() {
    QFont f;
    f.setFamilies({"Times New Roman", "Liberation Serif", "Tinos", "serif"});
    f.setPixelSize(13);
    f.setBold(true);
    return f;
}

QFont dialogFont(int pixelSize) {
    QFont f;
    f.setFamilies({"MS Sans Serif", "Microsoft Sans Serif", "Liberation Sans", "Arimo",
                   "DejaVu Sans", "sans-serif"});
    f.setPixelSize(pixelSize);
    return f;
}

}  // namespace tarvell
