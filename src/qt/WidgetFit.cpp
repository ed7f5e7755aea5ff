#include "qt/WidgetFit.h"

#include <QApplication>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QStyleOptionFrame>
#include <QWidget>
#include <algorithm>

#include "platform/forms/Controls.h"

namespace tav {

namespace {

constexpr int Slack = 2;            // a pixel either side, so that no glyph touches a frame
constexpr int LabelGap = 3;         // after a label's text, so that it keeps clear of what follows
constexpr int LineEditMargin = 2;   // the line edit's own margin inside its frame, each side
constexpr int LineEditCursor = 2;   // the caret after the last character
constexpr int Unbounded = 1 << 20;  // a height no text reaches
constexpr int TitleBarItems = 4;    // the window's icon, minimize, maximize and close
constexpr int TitleBarItemPadding = 8;

QString Q(const std::string& text) { return QString::fromStdString(text); }

// The frame a style draws around a widget's contents: what a rectangle loses to it.
QSize FrameAround(QStyle::SubElement element, QStyleOption& option, const QWidget& widget) {
    option.rect = QRect(0, 0, 200, 200);
    const QRect contents = widget.style()->subElementRect(element, &option, &widget);
    return QSize(200 - contents.width(), 200 - contents.height());
}

QSize ButtonNeed(const Button& button, const QWidget& widget) {
    QStyleOptionButton option;
    option.initFrom(&widget);
    const QSize frame = FrameAround(QStyle::SE_PushButtonContents, option, widget);
    const QSize text = widget.fontMetrics().size(Qt::TextShowMnemonic, Q(button.Caption()));
    return QSize(text.width() + frame.width() + 2 * Slack, text.height() + frame.height());
}

QSize LineEditNeed(const TextBox& box, const QWidget& widget) {
    QStyleOptionFrame option;
    option.initFrom(&widget);
    option.lineWidth = widget.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &widget);
    option.midLineWidth = 0;
    option.state |= QStyle::State_Sunken;
    const QSize frame = FrameAround(QStyle::SE_LineEditContents, option, widget);
    const QFontMetrics metrics = widget.fontMetrics();
    // Only the texts declared: what the operator types scrolls, as in any text box.
    int widest = 0;
    for (const std::string& text : box.WidestTexts()) widest = std::max(widest, metrics.horizontalAdvance(Q(text)));
    return QSize(widest + frame.width() + 2 * LineEditMargin + LineEditCursor, metrics.height() + frame.height() + 2);
}

// The box or circle and the caption beside it, the whole box shown.
QSize IndicatorNeed(const QWidget& widget, QStyle::PixelMetric indicatorHeight) {
    const int box = widget.style()->pixelMetric(indicatorHeight, nullptr, &widget);
    return QSize(widget.sizeHint().width(), std::max(box, widget.fontMetrics().height()));
}

QSize LabelNeed(const Label& label, const QWidget& widget, int width) {
    const auto& qlabel = static_cast<const QLabel&>(widget);
    const bool buddy = qlabel.buddy() != nullptr;
    const QString text = LabelText(label.Caption(), buddy);
    if (text.isEmpty()) return {};
    const int flags = LabelTextFlags(buddy);
    const QFontMetrics metrics = widget.fontMetrics();
    // Wrapped as narrow as it goes, the widest word remains.
    const int widestWord = metrics.boundingRect(QRect(0, 0, 1, Unbounded), flags, text).width();
    const int height = width > 0 ? metrics.boundingRect(QRect(0, 0, width, Unbounded), flags, text).height() : 0;
    return QSize(widestWord + 1 + LabelGap, height);
}

QSize FrameNeed(const QWidget& widget) {
    const auto& group = static_cast<const QGroupBox&>(widget);
    if (group.title().isEmpty()) return {};
    return QSize(group.minimumSizeHint().width(), 0);
}

QSize ComboNeed(const ListControl& list, const QWidget& widget) {
    const auto& combo = static_cast<const QComboBox&>(widget);
    const QFontMetrics metrics = widget.fontMetrics();
    int widest = metrics.horizontalAdvance(combo.currentText());
    for (const std::string& row : list.Rows()) widest = std::max(widest, metrics.horizontalAdvance(Q(row)));
    QStyleOptionComboBox option;
    option.initFrom(&widget);
    option.editable = combo.isEditable();
    const QSize size = widget.style()->sizeFromContents(QStyle::CT_ComboBox, &option,
                                                        QSize(widest + 2 * Slack, metrics.height()), &widget);
    return size;
}

}  // namespace

QString LabelText(const std::string& caption, bool hasBuddy) {
    QString text = Q(caption);
    if (!hasBuddy) text = text.replace("&&", QString(QChar(0xE000))).remove('&').replace(QChar(0xE000), "&");
    const QChar breakHere(0x200B);  // zero-width space
    QString shown;
    shown.reserve(text.size());
    for (QChar c : text) {
        shown += c;
        if (c == '/' || c == '\\') shown += breakHere;
    }
    return shown;
}

int LabelTextFlags(bool hasBuddy) {
    return Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop | (hasBuddy ? Qt::TextShowMnemonic : 0);
}

QSize NeededSize(const Control& control, const QWidget& widget, int width) {
    switch (control.Kind()) {
        case ControlKind::Button: return ButtonNeed(static_cast<const Button&>(control), widget);
        case ControlKind::Label: return LabelNeed(static_cast<const Label&>(control), widget, width);
        case ControlKind::TextBox: return LineEditNeed(static_cast<const TextBox&>(control), widget);
        case ControlKind::CheckBox: return IndicatorNeed(widget, QStyle::PM_IndicatorHeight);
        case ControlKind::OptionButton: return IndicatorNeed(widget, QStyle::PM_ExclusiveIndicatorHeight);
        case ControlKind::Frame: return FrameNeed(widget);
        case ControlKind::ComboBox:
        case ControlKind::DriveListBox: return ComboNeed(static_cast<const ListControl&>(control), widget);
        default: return {};
    }
}

int TitleBarWidth(const std::string& caption) {
    QFont font = QApplication::font();
    font.setBold(true);
    const QFontMetrics metrics(font);
    const int item = metrics.height() + TitleBarItemPadding;
    return metrics.horizontalAdvance(Q(caption)) + TitleBarItems * item + 2 * TitleBarItemPadding;
}

}  // namespace tav
