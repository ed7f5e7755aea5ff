#pragma once
// Buttons, labels, text boxes, check boxes, option buttons, horizontal scroll bars and the two
// containers (frames and picture boxes). The User... functions are the front end's: they carry
// what the operator did and are dropped while a flow of the system runs.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/forms/Control.h"

namespace tav {

class Button : public Control {
public:
    Button(Form& form, std::string name, std::string caption = "");
    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string caption);
    bool CanFocus() const override { return true; }

    Handler Click;
    void UserClick();

private:
    std::string caption_;
};

class Label : public Control {
public:
    Label(Form& form, std::string name, std::string caption = "");
    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string caption);

    Handler Click;
    Handler DblClick;
    void UserClick();
    void UserDblClick();

private:
    std::string caption_;
};

// A single-line text box. Setting Text fires Change when the text differs from what it was.
class TextBox : public Control {
public:
    TextBox(Form& form, std::string name, std::string text = "");
    const std::string& Text() const { return text_; }
    void SetText(std::string text);

    // The selection, in characters; both are kept within the text.
    int SelStart() const { return selStart_; }
    int SelLength() const { return selLength_; }
    void SetSelStart(int start);
    void SetSelLength(int length);
    std::string SelText() const;
    // The most characters the operator may type (0: no limit); the program's texts are kept whole.
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int length);
    // The widest texts the box shows (design time): the front end makes it wide enough for each.
    const std::vector<std::string>& WidestTexts() const { return widestTexts_; }
    void SetWidestTexts(std::vector<std::string> texts);
    // Replaces the selection (Change fires) and puts the caret after the new text.
    void SetSelText(const std::string& text);
    bool CanFocus() const override { return true; }

    Handler Change;
    // For the front end: counts the program's changes of the selection (the caret included),
    // which the box then shows; the operator's own caret moves do not count.
    int SelectionRevision() const { return selectionRevision_; }
    // The operator edited the text (typed, pasted, deleted).
    void UserEdit(std::string text);
    // The operator moved the caret or the selection (no event).
    void UserSelect(int start, int length);

private:
    std::string text_;
    int selStart_ = 0;
    int selLength_ = 0;
    int selectionRevision_ = 0;
    int maxLength_ = 0;
    std::vector<std::string> widestTexts_;
};

// Value is 0 (clear) or 1 (ticked); any other value given reads as 1. Setting a different value
// fires Click, as a click by the operator does.
class CheckBox : public Control {
public:
    CheckBox(Form& form, std::string name, std::string caption = "");
    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string caption);
    int16_t Value() const { return value_; }
    void SetValue(int16_t value);
    bool CanFocus() const override { return true; }

    Handler Click;
    void UserClick();  // toggles

private:
    std::string caption_;
    int16_t value_ = 0;
};

// Option buttons exclude each other within their container: selecting one clears the others
// (they fire nothing). Selecting one that was clear fires its Click; an operator's click on it
// fires Click even when it was already selected.
class OptionButton : public Control {
public:
    OptionButton(Form& form, std::string name, std::string caption = "");
    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string caption);
    bool Value() const { return value_; }
    void SetValue(bool value);
    bool CanFocus() const override { return true; }

    Handler Click;
    void UserClick();

private:
    std::string caption_;
    bool value_ = false;
};

// Value stays within Min..Max (setting Min or Max pulls it in); Change fires only when Value
// really changes, whoever changes it.
class HScrollBar : public Control {
public:
    HScrollBar(Form& form, std::string name);
    int16_t Min() const { return min_; }
    int16_t Max() const { return max_; }
    int16_t Value() const { return value_; }
    int16_t SmallChange() const { return smallChange_; }
    int16_t LargeChange() const { return largeChange_; }
    void SetMin(int16_t v);
    void SetMax(int16_t v);
    void SetValue(int v);
    void SetSmallChange(int16_t v);
    void SetLargeChange(int16_t v);
    bool CanFocus() const override { return true; }

    Handler Change;
    // The operator moved the bar (arrows, page, drag ended) to this value.
    void UserScroll(int value);

private:
    int16_t Clamped(int v) const;
    int16_t min_ = 0, max_ = 32767, value_ = 0;
    int16_t smallChange_ = 1, largeChange_ = 1;
};

// A captioned box grouping controls (their positions are relative to it).
class Frame : public Control {
public:
    Frame(Form& form, std::string name, std::string caption = "");
    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string caption);

private:
    std::string caption_;
};

namespace align {
constexpr int16_t None = 0;
constexpr int16_t Top = 1;  // along the top edge, full width (the main window's tool strip)
}  // namespace align

// A container that can show a picture (an image file). Aligned to the top of an MDI window it
// is the tool strip above the child windows.
class PictureBox : public Control {
public:
    PictureBox(Form& form, std::string name);
    const std::string& Picture() const { return picture_; }
    void SetPicture(std::string imagePath);
    int16_t Align() const { return align_; }
    void SetAlign(int16_t value);

    Handler Click;
    void UserClick();

private:
    std::string picture_;
    int16_t align_ = align::None;
};

}  // namespace tav
