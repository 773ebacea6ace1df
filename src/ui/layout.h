// The main window's design: controls, captions and positions in twips.
#pragma once

#include <array>
#include <vector>

#include "platform/form_view.h"
#include "settings/delay.h"

namespace kw::layout {

enum class Kind { Label, ListBox, Button, TextBox };

struct ControlDesign {
    ControlId id;
    Kind kind;
    const char* caption;           // "&" marks the access key of a button
    int left, top, width, height;  // twips
    int tabIndex;
};

inline constexpr int kClientWidth = 5820;  // twips
inline constexpr int kClientHeight = 3525;

inline constexpr std::array<ControlDesign, kControlCount> kControls{{
    {ControlId::Label1, Kind::Label,
     "Folgende Programme bei DFÜ-Verbindung starten und bei Trennung der Verbindung terminieren:", 120, 0, 4215, 495,
     3},
    {ControlId::filelist, Kind::ListBox, "", 120, 480, 4095, 2205, 0},
    {ControlId::Command1, Kind::Button, "&Hinzufügen", 4320, 480, 1455, 375, 1},
    {ControlId::Command2, Kind::Button, "&Entfernen", 4320, 960, 1455, 375, 2},
    {ControlId::Command3, Kind::Button, "&Bearbeiten", 4320, 1440, 1455, 375, 4},
    {ControlId::Command5, Kind::Button, "&Info", 4320, 2640, 1455, 375, 8},
    {ControlId::Label2, Kind::Label, "Nach Einwahlbeginn so viele Sekunden warten:", 120, 2760, 3495, 255, 9},
    {ControlId::Text1, Kind::TextBox, kDefaultDelayText, 3600, 2760, 615, 285, 10},
    {ControlId::aktiv, Kind::Label, "Momentan aktive DFÜ-Verbindungen: 0", 120, 3000, 4095, 255, 5},
    {ControlId::Command4, Kind::Button, "&Fenster minimieren", 4320, 3120, 1455, 375, 7},
    {ControlId::status, Kind::Label, "Status der Programme: Beendet", 120, 3240, 4095, 255, 6},
}};

// Pixels for a length in twips on a screen of `dpi` dots per inch (1440 twips to the inch).
int TwipsToPixels(int twips, int dpi);

// The labels that name a control, each with the control it names.
struct LabelFor {
    ControlId label;
    ControlId control;
};
inline constexpr std::array<LabelFor, 2> kLabelsFor{{
    {ControlId::Label1, ControlId::filelist},
    {ControlId::Label2, ControlId::Text1},
}};

// The controls in tab order.
std::vector<ControlDesign> InTabOrder();

// The order in which the window creates the controls, which is their order on the z-axis from the top:
// the controls that take the focus in tab order, each directly after the label that names it (a screen
// reader names a control after the label just before it), then the other labels.
std::vector<ControlDesign> InCreationOrder();

// Where a control is placed: the design's rectangle, but a label's is cut back where it would reach into a
// control or label after it on the z-axis (the design overlaps them by a pixel), so that no label covers
// another control; a label paints its whole rectangle. The texts keep their room.
ControlDesign Placed(const ControlDesign& design);

}  // namespace kw::layout
