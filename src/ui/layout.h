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

// The controls in tab order; the window creates them in this order.
std::vector<ControlDesign> InTabOrder();

// The labels from front to back. Some reach a pixel into the label below them; a label paints its whole
// rectangle, so the lower one goes in front, where its first row, with the dots of an "Ü", stays whole and
// the upper one loses only a row beneath its text.
std::vector<ControlDesign> LabelsFrontToBack();

}  // namespace kw::layout
