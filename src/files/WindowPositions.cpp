#include "files/WindowPositions.h"

#include <algorithm>

#include "files/TextConversions.h"
#include "platform/Numbers.h"
#include "platform/forms/Form.h"

namespace tav {

namespace {

bool Placeable(int32_t top, int32_t left, int32_t height, int32_t width) {
    const bool unknown = top == 0 && left == 0 && height == 0 && width == 0;
    return !unknown && height > 0 && width > 0;
}

// A window line's value beyond the record's 16-bit range cannot have been written by the
// program; it is pulled into that range so that no window lands out of all reach.
int32_t Coordinate(float scanned) {
    return std::clamp<int32_t>(RoundToInt32Clamped(scanned), INT16_MIN, INT16_MAX);
}

void Place(Form& form, int32_t top, int32_t left, int32_t height, int32_t width) {
    form.SetTop(static_cast<float>(top));
    form.SetLeft(static_cast<float>(left));
    form.SetHeight(static_cast<float>(height));
    form.SetWidth(static_cast<float>(width));
}

// The six numbers of a window line: top, left, height, width, window state and open flag.
struct WindowLine {
    int32_t top, left, height, width;
    int16_t state, open;
};

WindowLine ScanWindowLine(const std::string& text) {
    int16_t position = 1;
    WindowLine line{};
    line.top = Coordinate(NextNumber(text, position));
    line.left = Coordinate(NextNumber(text, position));
    line.height = Coordinate(NextNumber(text, position));
    line.width = Coordinate(NextNumber(text, position));
    line.state = RoundToInt16Clamped(NextNumber(text, position));
    line.open = RoundToInt16Clamped(NextNumber(text, position));
    return line;
}

void StoreRect(const Form& form, WindowRect& rect) {
    rect.Top = RoundToInt16Clamped(form.Top());
    rect.Left = RoundToInt16Clamped(form.Left());
    rect.Height = RoundToInt16Clamped(form.Height());
    rect.Width = RoundToInt16Clamped(form.Width());
}

}  // namespace

std::string WindowPositionText(const Form& form, WindowRect& rect) {
    const int16_t state = form.WindowState();
    const int16_t written = state == winstate::Minimized ? winstate::Normal : state;
    if (state == winstate::Normal && rect.Open != 0) StoreRect(form, rect);
    std::string text;
    for (int16_t value : {rect.Top, rect.Left, rect.Height, rect.Width, written}) {
        text += IntToText(value) + " ";
    }
    return text;
}

int16_t ApplyWindowPosition(const std::string& text, Form& form) {
    const WindowLine line = ScanWindowLine(text);
    if (Placeable(line.top, line.left, line.height, line.width)) {
        Place(form, line.top, line.left, line.height, line.width);
    }
    if (line.state != form.WindowState() && (line.state == winstate::Normal || line.state == winstate::Maximized)) {
        form.SetWindowState(line.state);
    }
    return line.open;
}

bool WindowLineHoldsPlace(const std::string& text) {
    const WindowLine line = ScanWindowLine(text);
    return Placeable(line.top, line.left, line.height, line.width);
}

void SetFormRect(Form& form, const WindowRect& rect) {
    if (Placeable(rect.Top, rect.Left, rect.Height, rect.Width)) {
        Place(form, rect.Top, rect.Left, rect.Height, rect.Width);
    }
}

void SaveWindowRect(const Form& form, WindowRect& rect) {
    if (form.WindowState() != winstate::Normal) return;
    StoreRect(form, rect);
}

}  // namespace tav
