#pragma once
// Places the widgets of a window's controls in pixels. Each control starts from its design
// rectangle in twips; one that needs more room for its text (WidgetFit.h) gets it at its far
// edge, and everything from that edge on, across the container, moves on by as much. So a
// window keeps its design as far as its text allows, and grows where it does not.
//
// A tool strip (a picture box along the top of the main window) keeps its columns of controls
// whole and wraps them onto a further row when the window is too narrow for one. A frame's
// controls start below its title.

#include <QRect>
#include <QSize>
#include <functional>
#include <utility>
#include <vector>

#include "qt/Twips.h"

class QWidget;

namespace tav {

class Control;
struct LayoutItem;

using WidgetOfControl = std::function<QWidget*(Control*)>;

// What one tool strip came to.
struct StripPlacement {
    int height = 0;       // all its rows
    int oneRowWidth = 0;  // the width that holds it in one row
    int widestColumn = 0;
};

class ControlLayout {
public:
    ControlLayout(const Twips& twips, WidgetOfControl widgetOf) : twips_(twips), widgetOf_(std::move(widgetOf)) {}

    // Places every control of the window that has a widget, but for the tool strips and what
    // they hold; returns how much the client area grew beyond its design size.
    QSize PlaceWindow(const std::vector<Control*>& controls);
    // Places a tool strip's controls in rows of the given width.
    StripPlacement PlaceStrip(Control& strip, const std::vector<Control*>& controls, int width);

    // A picture box along the top edge of its window.
    static bool IsStrip(const Control& control);

private:
    // Places the children of container (nullptr: the window) within its design size; returns
    // the pixel size it takes, and adds what the layout grew to growth.
    QSize PlaceChildren(Control* container, float width, float height, const std::vector<Control*>& controls,
                        QSize* growth);
    // The controls of container with a widget, with what each needs.
    std::vector<LayoutItem> ItemsIn(Control* container, const std::vector<Control*>& controls);

    Twips twips_;
    WidgetOfControl widgetOf_;
};

}  // namespace tav
