#include "qt/QtFonts.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <cmath>

namespace tav {

namespace {

struct FontAlias {
    const char* systemName;
    const char* family;
};

constexpr FontAlias Aliases[] = {
    {"Arial", "Liberation Sans"},
    {"Times New Roman", "Liberation Serif"},
    {"Courier New", "Liberation Mono"},
    {"MS Sans Serif", "Liberation Sans"},  // narrower than DejaVu Sans, so dialog captions fit
    {"Small Fonts", "DejaVu Sans Condensed"},
};

bool Installed(const QString& family) {
    if (QFontDatabase::hasFamily(family)) return true;
    // Condensed faces may be listed as a style of their family only.
    return QFontDatabase::families().contains(family, Qt::CaseInsensitive);
}

}  // namespace

QString MappedFamily(const std::string& name) {
    for (const FontAlias& alias : Aliases) {
        if (QString::fromStdString(name).compare(alias.systemName, Qt::CaseInsensitive) != 0) continue;
        const QString family = alias.family;
        if (Installed(family)) return family;
        if (family.endsWith(" Condensed")) return family.chopped(10);  // plain DejaVu Sans
        return family;
    }
    return QString::fromStdString(name);
}

bool FontAvailable(const std::string& name) {
    if (name.empty()) return false;
    return Installed(MappedFamily(name));
}

QFont MakeFont(const std::string& name, float points, bool bold, double pixelsPerPoint) {
    QFont font(MappedFamily(name));
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(points * pixelsPerPoint))));
    font.setBold(bold);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

QFont WidgetFont(const std::string& name, float points, bool bold) {
    QFont font = QApplication::font();
    if (FontAvailable(name)) font.setFamily(MappedFamily(name));
    if (points > 0) font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

std::vector<std::string> ScreenFontList() {
    std::vector<std::string> fonts{QFontInfo(QApplication::font()).family().toStdString()};
    for (const FontAlias& alias : Aliases) {
        if (FontAvailable(alias.systemName)) fonts.emplace_back(alias.systemName);
    }
    for (const QString& family : QFontDatabase::families()) fonts.push_back(family.toStdString());
    return fonts;
}

}  // namespace tav
