#include "ui/layout.h"

#include <algorithm>

namespace kw::layout {

int TwipsToPixels(int twips, int dpi) {
    const long long scaled = static_cast<long long>(twips) * dpi;
    return static_cast<int>((scaled + (scaled >= 0 ? 720 : -720)) / 1440);
}

std::vector<ControlDesign> InTabOrder() {
    std::vector<ControlDesign> controls(kControls.begin(), kControls.end());
    std::sort(controls.begin(), controls.end(),
              [](const ControlDesign& a, const ControlDesign& b) { return a.tabIndex < b.tabIndex; });
    return controls;
}

std::vector<ControlDesign> InCreationOrder() {
    const std::vector<ControlDesign> tabOrder = InTabOrder();
    const auto design = [&](ControlId id) {
        return *std::find_if(tabOrder.begin(), tabOrder.end(), [id](const ControlDesign& c) { return c.id == id; });
    };
    std::vector<ControlDesign> order;
    for (const ControlDesign& control : tabOrder) {
        if (control.kind == Kind::Label) {
            continue;
        }
        for (const LabelFor& pair : kLabelsFor) {
            if (pair.control == control.id) {
                order.push_back(design(pair.label));
            }
        }
        order.push_back(control);
    }
    for (const ControlDesign& control : tabOrder) {
        const bool placed =
            std::any_of(order.begin(), order.end(), [&](const ControlDesign& c) { return c.id == control.id; });
        if (!placed) {
            order.push_back(control);
        }
    }
    return order;
}

ControlDesign Placed(const ControlDesign& design) {
    ControlDesign placed = design;
    if (design.kind != Kind::Label) {
        return placed;
    }
    const std::vector<ControlDesign> order = InCreationOrder();
    auto after = std::find_if(order.begin(), order.end(), [&](const ControlDesign& c) { return c.id == design.id; });
    for (++after; after != order.end(); ++after) {
        const ControlDesign& c = *after;
        const bool overlaps = placed.left < c.left + c.width && c.left < placed.left + placed.width &&
                              placed.top < c.top + c.height && c.top < placed.top + placed.height;
        if (!overlaps) {
            continue;
        }
        // Below the label its height ends where the other begins; beside it, its width.
        if (c.top > placed.top) {
            placed.height = c.top - placed.top;
        } else {
            placed.width = c.left - placed.left;
        }
    }
    return placed;
}

}  // namespace kw::layout
