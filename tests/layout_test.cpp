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

// A label paints its whole rectangle; where two overlap, the front one must not hide the other's text.
TEST(Layout, OverlappingLabelsNeverCoverTheTextOfAnother) {
    const auto labels = LabelsFrontToBack();
    EXPECT_EQ(labels.size(), 4u);
    for (const int dpi : {96, 120, 144, 192}) {
        int overlaps = 0;
        for (size_t front = 0; front < labels.size(); ++front) {
            for (size_t back = front + 1; back < labels.size(); ++back) {
                const auto& f = labels[front];
                const auto& b = labels[back];
                const int fTop = TwipsToPixels(f.top, dpi), fBottom = fTop + TwipsToPixels(f.height, dpi);
                const int bTop = TwipsToPixels(b.top, dpi), bBottom = bTop + TwipsToPixels(b.height, dpi);
                const int fLeft = TwipsToPixels(f.left, dpi), fRight = fLeft + TwipsToPixels(f.width, dpi);
                const int bLeft = TwipsToPixels(b.left, dpi), bRight = bLeft + TwipsToPixels(b.width, dpi);
                if (fBottom <= bTop || bBottom <= fTop || fRight <= bLeft || bRight <= fLeft)
                    continue;
                SCOPED_TRACE(std::string(f.caption) + " over " + b.caption + " at " + std::to_string(dpi));
                ++overlaps;
                // The back label keeps its first line: the front one starts at most two rows above its end.
                EXPECT_GT(fTop, bTop);
                EXPECT_LE(bBottom - fTop, 2);
            }
        }
        EXPECT_EQ(overlaps, 2) << "Label2 over aktiv over status, at " << dpi << " DPI";
    }
}

}  // namespace
}  // namespace kw::layout
