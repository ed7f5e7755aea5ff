#include "platform/forms/BasicControls.h"

#include <algorithm>

#include "platform/forms/Form.h"
#include "platform/forms/UserAction.h"

namespace tav {

// ---- Button ------------------------------------------------------------------------------------

Button::Button(Form& form, std::string name, std::string caption)
    : Control(form, std::move(name), ControlKind::Button), caption_(std::move(caption)) {}

void Button::SetCaption(std::string caption) {
    caption_ = std::move(caption);
    Changed();
}

void Button::UserClick() {
    AsUser(app(), [&] { if (Enabled()) Fire(Click); });
}

// ---- Label -------------------------------------------------------------------------------------

Label::Label(Form& form, std::string name, std::string caption)
    : Control(form, std::move(name), ControlKind::Label), caption_(std::move(caption)) {}

void Label::SetCaption(std::string caption) {
    if (caption == caption_) return;
    caption_ = std::move(caption);
    Changed();
}

void Label::UserClick() {
    AsUser(app(), [&] { if (Enabled()) Fire(Click); });
}

void Label::UserDblClick() {
    AsUser(app(), [&] { if (Enabled()) Fire(DblClick); });
}

// ---- TextBox -----------------------------------------------------------------------------------

TextBox::TextBox(Form& form, std::string name, std::string text)
    : Control(form, std::move(name), ControlKind::TextBox), text_(std::move(text)) {}

void TextBox::SetText(std::string text) {
    if (text == text_) return;
    text_ = std::move(text);
    // A new text puts the caret at its start, as the toolkit does.
    selStart_ = 0;
    selLength_ = 0;
    ++selectionRevision_;
    Changed();
    Fire(Change);
}

void TextBox::SetSelStart(int start) {
    const int length = static_cast<int>(text_.size());
    selStart_ = std::clamp(start, 0, length);
    selLength_ = 0;
    ++selectionRevision_;
    Changed();
}

void TextBox::SetSelLength(int length) {
    const int room = static_cast<int>(text_.size()) - selStart_;
    selLength_ = std::clamp(length, 0, room);
    ++selectionRevision_;
    Changed();
}

void TextBox::SetMaxLength(int length) {
    maxLength_ = std::max(0, length);
    Changed();
}

void TextBox::SetWidestTexts(std::vector<std::string> texts) {
    widestTexts_ = std::move(texts);
    Changed();
}

std::string TextBox::SelText() const { return text_.substr(selStart_, selLength_); }

void TextBox::SetSelText(const std::string& text) {
    std::string next = text_;
    next.replace(selStart_, selLength_, text);
    const int caret = selStart_ + static_cast<int>(text.size());
    SetText(std::move(next));
    selStart_ = caret;
    selLength_ = 0;
    ++selectionRevision_;
    Changed();
}

void TextBox::UserEdit(std::string text) {
    AsUser(app(), [&] {
        if (text == text_) return;
        text_ = std::move(text);
        selStart_ = std::min(selStart_, static_cast<int>(text_.size()));
        selLength_ = 0;
        Fire(Change);
    }, [&] { Changed(); });
}

void TextBox::UserSelect(int start, int length) {
    const int size = static_cast<int>(text_.size());
    selStart_ = std::clamp(start, 0, size);
    selLength_ = std::clamp(length, 0, size - selStart_);
}

// ---- CheckBox ----------------------------------------------------------------------------------

CheckBox::CheckBox(Form& form, std::string name, std::string caption)
    : Control(form, std::move(name), ControlKind::CheckBox), caption_(std::move(caption)) {}

void CheckBox::SetCaption(std::string caption) {
    caption_ = std::move(caption);
    Changed();
}

void CheckBox::SetValue(int16_t value) {
    const int16_t next = value != 0 ? 1 : 0;
    if (next == value_) return;
    value_ = next;
    Changed();
    Fire(Click);
}

void CheckBox::UserClick() {
    AsUser(app(), [&] { if (Enabled()) SetValue(value_ == 0 ? 1 : 0); }, [&] { Changed(); });
}

// ---- OptionButton ------------------------------------------------------------------------------

OptionButton::OptionButton(Form& form, std::string name, std::string caption)
    : Control(form, std::move(name), ControlKind::OptionButton), caption_(std::move(caption)) {}

void OptionButton::SetCaption(std::string caption) {
    caption_ = std::move(caption);
    Changed();
}

void OptionButton::SetValue(bool value) {
    if (value == value_) return;
    value_ = value;
    if (value_) {
        for (Control* other : Owner().Controls()) {
            if (other == this || other->Kind() != ControlKind::OptionButton) continue;
            if (other->Container() != Container()) continue;
            auto* option = static_cast<OptionButton*>(other);
            if (option->value_) {
                option->value_ = false;
                option->Changed();
            }
        }
    }
    Changed();
    if (value_) Fire(Click);
}

void OptionButton::UserClick() {
    AsUser(app(), [&] {
        if (!Enabled()) return;
        if (value_) Fire(Click);
        else SetValue(true);
    }, [&] { Changed(); });
}

// ---- HScrollBar --------------------------------------------------------------------------------

HScrollBar::HScrollBar(Form& form, std::string name)
    : Control(form, std::move(name), ControlKind::HScrollBar) {}

int16_t HScrollBar::Clamped(int v) const {
    const int low = std::min(min_, max_);
    const int high = std::max(min_, max_);
    return static_cast<int16_t>(std::clamp(v, low, high));
}

void HScrollBar::SetMin(int16_t v) {
    min_ = v;
    SetValue(value_);
    Changed();
}

void HScrollBar::SetMax(int16_t v) {
    max_ = v;
    SetValue(value_);
    Changed();
}

void HScrollBar::SetValue(int v) {
    const int16_t next = Clamped(v);
    if (next == value_) return;
    value_ = next;
    Changed();
    Fire(Change);
}

void HScrollBar::SetSmallChange(int16_t v) {
    smallChange_ = std::max<int16_t>(v, 1);
    Changed();
}

void HScrollBar::SetLargeChange(int16_t v) {
    largeChange_ = std::max<int16_t>(v, 1);
    Changed();
}

void HScrollBar::UserScroll(int value) {
    AsUser(app(), [&] { if (Enabled()) SetValue(value); }, [&] { Changed(); });
}

// ---- Frame, PictureBox -------------------------------------------------------------------------

Frame::Frame(Form& form, std::string name, std::string caption)
    : Control(form, std::move(name), ControlKind::Frame), caption_(std::move(caption)) {}

void Frame::SetCaption(std::string caption) {
    caption_ = std::move(caption);
    Changed();
}

PictureBox::PictureBox(Form& form, std::string name)
    : Control(form, std::move(name), ControlKind::PictureBox) {}

void PictureBox::SetPicture(std::string imagePath) {
    picture_ = std::move(imagePath);
    Changed();
}

void PictureBox::SetAlign(int16_t value) {
    align_ = value;
    Changed();
}

void PictureBox::UserClick() {
    AsUser(app(), [&] { if (Enabled()) Fire(Click); });
}

}  // namespace tav
