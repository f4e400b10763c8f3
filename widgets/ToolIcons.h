// Small pictograms for the main window's tool bar and its error item, drawn at start-up.
#pragma once

#include <QIcon>
#include <QString>

namespace tarvell {

// An icon showing a short glyph (one to three characters) in the given colour.
QIcon glyphIcon(const QString& glyph, const QColor& colour);
// The error item's bitmap: a red warning triangle.
QIcon errorIcon();

}  // namespace tarvell
