// The end-to-end test driver: kwtest.exe <area> <path of kopplungswacht.exe> [more]. It drives the
// product from outside, as a user and the system around it would, and prints Wine-style results.
#include "areas.h"
#include "harness.h"

int wmain() {
    const std::vector<kwt::Area> areas = {
        {"connection", kwt::TestConnection}, {"pidreuse", kwt::TestPidReuse},
        {"settings", kwt::TestSettings},     {"list", kwt::TestList},
        {"window", kwt::TestWindow},         {"sweep", kwt::TestSweep},
        {"missingdll", kwt::TestMissingDll}, {"tray", kwt::TestTray},
        {"adapter", kwt::TestAdapter},       {"show", kwt::ShowForScreenshot},
    };
    return kwt::RunDriver("kwtest", areas);
}
