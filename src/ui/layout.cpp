#include "ui/layout.h"

#include <algorithm>
#include <iterator>

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

std::vector<ControlDesign> LabelsFrontToBack() {
    std::vector<ControlDesign> labels;
    std::copy_if(kControls.begin(), kControls.end(), std::back_inserter(labels),
                 [](const ControlDesign& c) { return c.kind == Kind::Label; });
    std::stable_sort(labels.begin(), labels.end(),
                     [](const ControlDesign& a, const ControlDesign& b) { return a.top > b.top; });
    return labels;
}

}  // namespace kw::layout
