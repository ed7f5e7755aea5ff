#pragma once
// tavolin's window icon, drawn here: a leaf's reflectance spectrum on a blue tile, in the sizes
// that title bars, task bars and window lists use. The main window, the windows inside it and
// the dialogs show it instead of the toolkit's logo.

#include <QColor>
#include <QIcon>

namespace tav {

// The colours of the icon, for tests that look for it on the screen.
inline constexpr QRgb IconTileColor = 0xFF1D4F91;
inline constexpr QRgb IconCurveColor = 0xFF7CD65A;

QIcon ProgramIcon();

}  // namespace tav
