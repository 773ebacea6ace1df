#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "ui/layout.h"

namespace kw::layout {
namespace {

TEST(Layout, ClientAreaInPixelsPerScreenResolution) {
    struct Row {
        int dpi;
        int width, height;
    };
    // 1440 twips to the inch; a half pixel rounds up.
    for (const Row& row : {Row{96, 388, 235}, Row{120, 485, 294}, Row{144, 582, 353}, Row{192, 776, 470}}) {
        SCOPED_TRACE("DPI " + std::to_string(row.dpi));
        EXPECT_EQ(TwipsToPixels(kClientWidth, row.dpi), row.width);
        EXPECT_EQ(TwipsToPixels(kClientHeight, row.dpi), row.height);
    }
}

TEST(Layout, TwipsToPixelsRoundsToNearest) {
    struct Row {
        int twips, dpi, pixels;
    };
    for (const Row& row : {Row{0, 96, 0}, Row{7, 96, 0}, Row{8, 96, 1}, Row{15, 96, 1}, Row{22, 96, 1}, Row{23, 96, 2},
                           Row{-8, 96, -1}, Row{-7, 96, 0}, Row{12, 120, 1}, Row{5, 144, 1}}) {
        SCOPED_TRACE(std::to_string(row.twips) + " twips at " + std::to_string(row.dpi));
        EXPECT_EQ(TwipsToPixels(row.twips, row.dpi), row.pixels);
    }
}

TEST(Layout, EveryControlSitsOnWholePixelsInsideTheClientArea) {
    for (const auto& c : kControls) {
        SCOPED_TRACE(c.caption);
        for (const int twips : {c.left, c.top, c.width, c.height}) {
            EXPECT_EQ(TwipsToPixels(twips, 96) * 15, twips) << "15 twips to a pixel at 96 DPI";
        }
        EXPECT_LE(c.left + c.width, kClientWidth);
        EXPECT_LE(c.top + c.height, kClientHeight);
    }
}

TEST(Layout, FocusMovesThroughTheControlsInTabOrder) {
    std::vector<ControlId> focusable;
    std::set<int> indices;
    const auto ordered = InTabOrder();
    for (const auto& c : ordered) {
        indices.insert(c.tabIndex);
        if (c.kind != Kind::Label)
            focusable.push_back(c.id);
    }
    EXPECT_EQ(ordered.size(), kControls.size());
    EXPECT_EQ(indices.size(), kControls.size()) << "tab indices are unique";
    const std::vector<ControlId> expected = {ControlId::filelist, ControlId::Command1, ControlId::Command2,
                                             ControlId::Command3, ControlId::Command4, ControlId::Command5,
                                             ControlId::Text1};
    EXPECT_EQ(focusable, expected);
}

}  // namespace
}  // namespace kw::layout
