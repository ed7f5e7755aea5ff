#pragma once
// The fonts the system names, mapped to metric-compatible fonts that Debian ships, and the
// screen's font list as the system sees it.

#include <QFont>
#include <QString>
#include <string>
#include <vector>

namespace tav {

// The family that stands for a font name of the system ("Arial" -> "Liberation Sans"); other
// names are taken as they are.
QString MappedFamily(const std::string& name);
// True when the machine can show the font under that name.
bool FontAvailable(const std::string& name);
// A font of the given name and size; pixelsPerPoint fixes the size in device units.
QFont MakeFont(const std::string& name, float points, bool bold, double pixelsPerPoint);
// A widget font (sized in points for the screen).
QFont WidgetFont(const std::string& name, float points, bool bold);
// The screen's fonts: element 0 is the application's default font, then the system's names
// whose stand-ins are installed, then every installed family.
std::vector<std::string> ScreenFontList();

}  // namespace tav
