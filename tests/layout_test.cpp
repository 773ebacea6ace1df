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

// A screen reader names the list and the delay field after the label just before them on the z-axis;
// the controls that take the focus keep their tab order, and no label covers a control or label after it.
TEST(Layout, EachLabelComesBeforeTheControlItNamesAndCoversNothingAfterIt) {
    std::vector<ControlId> order;
    for (const auto& c : InCreationOrder())
        order.push_back(c.id);
    const std::vector<ControlId> expected = {ControlId::Label1,   ControlId::filelist, ControlId::Command1,
                                             ControlId::Command2, ControlId::Command3, ControlId::Command4,
                                             ControlId::Command5, ControlId::Label2,   ControlId::Text1,
                                             ControlId::aktiv,    ControlId::status};
    EXPECT_EQ(order, expected);

    struct Cut {
        ControlId id;
        int left, top, width, height;
    };
    // Each label ends where the control or label after it begins; the texts keep their lines.
    for (const Cut& cut : {Cut{ControlId::Label1, 120, 0, 4215, 480}, Cut{ControlId::Label2, 120, 2760, 3480, 240},
                           Cut{ControlId::aktiv, 120, 3000, 4095, 240}, Cut{ControlId::status, 120, 3240, 4095, 255}}) {
        const ControlDesign placed = Placed(kControls[static_cast<std::size_t>(cut.id)]);
        SCOPED_TRACE(placed.caption);
        EXPECT_EQ(placed.left, cut.left);
        EXPECT_EQ(placed.top, cut.top);
        EXPECT_EQ(placed.width, cut.width);
        EXPECT_EQ(placed.height, cut.height);
    }
    EXPECT_EQ(Placed(kControls[1]).height, 2205) << "the controls themselves keep their design";

    const auto ordered = InCreationOrder();
    for (const int dpi : {96, 120, 144, 192}) {
        for (std::size_t front = 0; front < ordered.size(); ++front) {
            if (ordered[front].kind != Kind::Label)
                continue;
            const ControlDesign f = Placed(ordered[front]);
            for (std::size_t back = front + 1; back < ordered.size(); ++back) {
                const ControlDesign b = Placed(ordered[back]);
                const int fLeft = TwipsToPixels(f.left, dpi), fRight = fLeft + TwipsToPixels(f.width, dpi);
                const int fTop = TwipsToPixels(f.top, dpi), fBottom = fTop + TwipsToPixels(f.height, dpi);
                const int bLeft = TwipsToPixels(b.left, dpi), bRight = bLeft + TwipsToPixels(b.width, dpi);
                const int bTop = TwipsToPixels(b.top, dpi), bBottom = bTop + TwipsToPixels(b.height, dpi);
                EXPECT_TRUE(fBottom <= bTop || bBottom <= fTop || fRight <= bLeft || bRight <= fLeft)
                    << f.caption << " covers " << b.caption << " at " << dpi << " DPI";
            }
        }
    }
}

}  // namespace
}  // namespace kw::layout
