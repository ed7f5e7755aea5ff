#include "qt/ControlLayout.h"

#include <QGroupBox>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <map>
#include <numeric>
#include <set>

#include "platform/forms/Controls.h"
#include "qt/WidgetFit.h"

namespace tav {

struct LayoutItem {
    Control* control;
    QWidget* widget;
    QSize need;
    QRect rect;
};

namespace {

struct Span {
    float from, to;
};

Span XSpan(const Control& c) { return {c.Left(), c.Left() + c.Width()}; }
Span YSpan(const Control& c) { return {c.Top(), c.Top() + c.Height()}; }

// Positions along one axis: twips at the screen's scale, plus the pixels added at the far edge
// of each control that needed more room. A control that starts at or beyond such an edge moves
// on by them, one that reaches across it grows by them; one that ends just there stays as it
// is, unless it asked for the room itself. Down the window, a control grows only for the
// controls above or below it: one beside them (a button beside a label that wraps) keeps its
// height.
class AxisMap {
public:
    using SharesEdge = bool (*)(const Control& owner, const Control& control);
    AxisMap(double pxPerTwip, SharesEdge shares = nullptr) : pxPerTwip_(pxPerTwip), shares_(shares) {}

    int Start(float twips) const { return Base(twips) + ExtraBefore(twips, true); }
    int End(Span span, const Control* control) const {
        int px = Base(span.to) + ExtraBefore(span.to, false);
        for (const auto& [at, edge] : edges_) {
            if (at > span.from && at < span.to && !Stretches(edge, control)) px -= edge.extra;
        }
        const auto at = edges_.find(span.to);
        if (at != edges_.end() && at->second.owners.count(control)) px += at->second.extra;
        return px;
    }
    // Makes control's span at least need pixels long. Called in the order of the far edges, so
    // that what one control gained is never undone by the next.
    void Reserve(const Control* control, Span span, int need) {
        const int have = End(span, control) - Start(span.from);
        if (need <= have) return;
        Edge& edge = edges_[span.to];
        if (!edge.owners.count(control)) {
            edge.owners.insert(control);
            if (need <= have + edge.extra) return;
            edge.extra = need - have;
        } else {
            edge.extra += need - have;
        }
    }
    int Extra() const {
        int sum = 0;
        for (const auto& [at, edge] : edges_) sum += edge.extra;
        return sum;
    }

private:
    struct Edge {
        int extra = 0;
        std::set<const Control*> owners;
    };
    int Base(float twips) const { return static_cast<int>(std::lround(twips * pxPerTwip_)); }
    int ExtraBefore(float twips, bool including) const {
        int sum = 0;
        for (const auto& [at, edge] : edges_) {
            if (at < twips || (including && at == twips)) sum += edge.extra;
        }
        return sum;
    }
    bool Stretches(const Edge& edge, const Control* control) const {
        if (!shares_ || !control) return true;
        return std::any_of(edge.owners.begin(), edge.owners.end(),
                           [&](const Control* owner) { return shares_(*owner, *control); });
    }

    double pxPerTwip_;
    SharesEdge shares_;
    std::map<float, Edge> edges_;
};

// One control lies above or below the other: their columns overlap.
bool InOneColumn(const Control& a, const Control& b) {
    const Span x = XSpan(a), y = XSpan(b);
    return x.from < y.to && y.from < x.to;
}

bool HoldsControls(const Control& container, const std::vector<Control*>& controls) {
    return std::any_of(controls.begin(), controls.end(), [&](const Control* c) { return c->Container() == &container; });
}

std::vector<LayoutItem*> Pointers(std::vector<LayoutItem>& items) {
    std::vector<LayoutItem*> pointers;
    for (LayoutItem& item : items) pointers.push_back(&item);
    return pointers;
}

// Reserves each visible item's need along one axis, in the order of the far edges.
template <class SpanOf, class NeedOf>
void ReserveAll(AxisMap& map, const std::vector<LayoutItem*>& items, SpanOf span, NeedOf need) {
    std::vector<LayoutItem*> order = items;
    std::stable_sort(order.begin(), order.end(),
                     [&](const LayoutItem* a, const LayoutItem* b) { return span(*a->control).to < span(*b->control).to; });
    for (const LayoutItem* item : order) {
        if (!item->control->Visible()) continue;
        const Span s = span(*item->control);
        if (s.to > s.from) map.Reserve(item->control, s, need(*item));
    }
}

// Left edges (from the position `from`) and widths; then each label's height need, which
// follows from the width it now has.
AxisMap PlaceAcross(const std::vector<LayoutItem*>& items, double pxPerTwip, float from) {
    AxisMap x(pxPerTwip);
    ReserveAll(x, items, XSpan, [](const LayoutItem& item) { return item.need.width(); });
    for (LayoutItem* item : items) {
        const Span s = XSpan(*item->control);
        item->rect.setLeft(x.Start(s.from) - x.Start(from));
        item->rect.setWidth(x.End(s, item->control) - x.Start(s.from));
        if (item->control->Kind() == ControlKind::Label) {
            item->need.setHeight(NeededSize(*item->control, *item->widget, item->rect.width()).height());
        }
    }
    return x;
}

// The heights needed, along the vertical axis.
AxisMap PlaceDown(const std::vector<LayoutItem*>& items, double pxPerTwip) {
    AxisMap y(pxPerTwip, InOneColumn);
    ReserveAll(y, items, YSpan, [](const LayoutItem& item) { return item.need.height(); });
    return y;
}

// Top edges (below `top`) and heights.
void ApplyDown(const AxisMap& y, const std::vector<LayoutItem*>& items, int top) {
    for (LayoutItem* item : items) {
        const Span s = YSpan(*item->control);
        item->rect.setTop(top + y.Start(s.from));
        item->rect.setHeight(y.End(s, item->control) - y.Start(s.from));
    }
}

void Apply(const std::vector<LayoutItem>& items) {
    for (const LayoutItem& item : items) {
        if (item.widget->geometry() != item.rect) item.widget->setGeometry(item.rect);
    }
}

// How far a frame's controls move down so that the topmost starts below the frame's title, which
// the toolkit draws above its border rather than on it, and clear of the border.
constexpr int TitleClearance = 2;
int TitleInset(const Control* container, const std::vector<Control*>& controls, const WidgetOfControl& widgetOf,
               const AxisMap& y) {
    if (!container || container->Kind() != ControlKind::Frame) return 0;
    const auto* group = qobject_cast<const QGroupBox*>(widgetOf(const_cast<Control*>(container)));
    if (!group || group->title().isEmpty()) return 0;
    int top = -1;
    for (Control* child : controls) {
        if (child->Container() != container || !widgetOf(child)) continue;
        const int at = y.Start(child->Top());
        top = top < 0 ? at : std::min(top, at);
    }
    return top < 0 ? 0 : std::max(0, group->contentsRect().top() + TitleClearance - top);
}

}  // namespace

bool ControlLayout::IsStrip(const Control& control) {
    return control.Kind() == ControlKind::PictureBox && !control.Container() &&
           static_cast<const PictureBox&>(control).Align() == align::Top;
}

std::vector<LayoutItem> ControlLayout::ItemsIn(Control* container, const std::vector<Control*>& controls) {
    std::vector<LayoutItem> items;
    for (Control* control : controls) {
        if (control->Container() != container) continue;
        if (!container && IsStrip(*control)) continue;
        QWidget* widget = widgetOf_(control);
        if (!widget) continue;
        LayoutItem item{control, widget, NeededSize(*control, *widget), {}};
        // A frame or picture box needs the room its own controls take.
        if (HoldsControls(*control, controls)) {
            item.need = item.need.expandedTo(PlaceChildren(control, control->Width(), control->Height(), controls, nullptr));
        }
        items.push_back(item);
    }
    return items;
}

QSize ControlLayout::PlaceChildren(Control* container, float width, float height, const std::vector<Control*>& controls,
                                   QSize* growth) {
    std::vector<LayoutItem> items = ItemsIn(container, controls);
    const std::vector<LayoutItem*> all = Pointers(items);
    const double k = twips_.PxPerTwip();
    const AxisMap x = PlaceAcross(all, k, 0);
    const AxisMap y = PlaceDown(all, k);
    const int inset = TitleInset(container, controls, widgetOf_, y);
    ApplyDown(y, all, inset);
    Apply(items);
    if (growth) *growth += QSize(x.Extra(), y.Extra());
    return QSize(x.Start(width), inset + y.Start(height));
}

QSize ControlLayout::PlaceWindow(const std::vector<Control*>& controls) {
    QSize growth(0, 0);
    PlaceChildren(nullptr, 0, 0, controls, &growth);
    return growth;
}

StripPlacement ControlLayout::PlaceStrip(Control& strip, const std::vector<Control*>& controls, int width) {
    std::vector<LayoutItem> items = ItemsIn(&strip, controls);
    const double k = twips_.PxPerTwip();

    // Columns: runs of controls whose spans overlap, kept together.
    std::vector<LayoutItem*> order = Pointers(items);
    std::stable_sort(order.begin(), order.end(),
                     [](const LayoutItem* a, const LayoutItem* b) { return a->control->Left() < b->control->Left(); });
    struct Column {
        Span span;
        std::vector<LayoutItem*> members;
        int width = 0;
    };
    std::vector<Column> columns;
    for (LayoutItem* item : order) {
        const Span s = XSpan(*item->control);
        if (columns.empty() || s.from >= columns.back().span.to) columns.push_back({s, {}});
        Column& column = columns.back();
        column.span.to = std::max(column.span.to, s.to);
        column.members.push_back(item);
    }

    StripPlacement placed;
    for (Column& column : columns) {
        const AxisMap x = PlaceAcross(column.members, k, column.span.from);
        column.width = x.Start(column.span.to) - x.Start(column.span.from);
        placed.widestColumn = std::max(placed.widestColumn, column.width);
    }
    // Every row of the strip has the height of the design's, and what its controls added.
    const AxisMap y = PlaceDown(Pointers(items), k);
    const int rowHeight = y.Start(strip.Height());

    int row = 0, at = 0;
    float previousEnd = 0;
    for (const Column& column : columns) {
        int gap = static_cast<int>(std::lround((column.span.from - previousEnd) * k));
        placed.oneRowWidth += gap + column.width;
        if (at > 0 && at + gap + column.width > width) {
            ++row;
            at = 0;
            gap = 0;
        }
        for (LayoutItem* item : column.members) item->rect.translate(at + gap, 0);
        ApplyDown(y, column.members, row * rowHeight);
        at += gap + column.width;
        previousEnd = column.span.to;
    }
    Apply(items);
    placed.height = (row + 1) * rowHeight;
    return placed;
}

}  // namespace tav
