#pragma once
// The room a control's widget needs to show all of its text (and a check box or option button
// its whole box or circle), measured in the widget's own font and style. The design rectangle
// in twips is a minimum: where it is smaller than this, the window's layout makes it larger.

#include <QSize>
#include <QString>
#include <string>

class QWidget;

namespace tav {

class Control;

// The least size; 0 in a dimension where the design size always serves (lists, scroll bars,
// pictures). A label wraps its words, so its width need is its widest word and its height
// need is that of its text wrapped at `width` (the width it will have; 0 in the width pass).
// A text box needs room for the widest texts its window declares for it (TextBox::WidestTexts).
QSize NeededSize(const Control& control, const QWidget& widget, int width = 0);

// What a label shows of a caption: the access key's "&" only with a buddy, and a break allowed
// after every "/" and "\", so that a long folder path wraps between its folders.
QString LabelText(const std::string& caption, bool hasBuddy);

// The flags a label draws its text with.
int LabelTextFlags(bool hasBuddy);

// The outer width a top-level window needs for the window manager's title bar to show the whole
// caption: its text in a bold title font, the window's icon and three buttons beside it. The
// window manager's own font is unknown here; the application's, in bold, stands in for it.
int TitleBarWidth(const std::string& caption);

}  // namespace tav
