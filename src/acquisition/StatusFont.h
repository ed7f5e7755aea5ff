#pragma once
// Status texts of the link, the scan flows and the tool strip are printed on the spectrum window
// in the first font of the screen's font list, at the top of the window (StatusX, StatusY); the
// window gets its own font back afterwards, on every way out.

#include <string>

#include "platform/Operator.h"
#include "platform/draw/Canvas.h"

namespace tav {

// Where a status text begins on the spectrum window, on its top line.
inline constexpr float StatusX = 5500;
inline constexpr float StatusY = 0;

class StatusFont {
public:
    StatusFont(Canvas& window, Operator& op) : window_(window), saved_(window.FontName()) {
        std::vector<std::string> fonts = op.ScreenFonts();
        if (!fonts.empty()) window_.SetFontName(fonts.front());
    }
    ~StatusFont() { window_.SetFontName(saved_); }
    StatusFont(const StatusFont&) = delete;
    StatusFont& operator=(const StatusFont&) = delete;

private:
    Canvas& window_;
    std::string saved_;
};

// Prints text at (x, y) in the status font.
inline void PrintStatus(Canvas& window, Operator& op, float x, float y, const std::string& text) {
    StatusFont font(window, op);
    window.CurrentX = x;
    window.CurrentY = y;
    window.Print(text);
}

}  // namespace tav
