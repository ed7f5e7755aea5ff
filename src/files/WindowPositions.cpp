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
    int16_t position = 1;
    const int32_t top = Coordinate(NextNumber(text, position));
    const int32_t left = Coordinate(NextNumber(text, position));
    const int32_t height = Coordinate(NextNumber(text, position));
    const int32_t width = Coordinate(NextNumber(text, position));
    const int16_t state = RoundToInt16Clamped(NextNumber(text, position));
    const int16_t open = RoundToInt16Clamped(NextNumber(text, position));

    if (Placeable(top, left, height, width)) Place(form, top, left, height, width);
    if (state != form.WindowState() && (state == winstate::Normal || state == winstate::Maximized)) {
        form.SetWindowState(state);
    }
    return open;
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
