// kwbench.exe <bench|flap|idle|adapter> <path of kopplungswacht.exe> [more]: the measurements of `make bench`,
// driven from outside with the end-to-end tests' harness.
#include "areas.h"
#include "harness.h"

int wmain() {
    const std::vector<kwt::Area> areas = {
        {"bench", kwt::Bench},
        {"flap", kwt::Flap},
        {"idle", kwt::Idle},
        {"adapter", kwt::AdapterDrops},
    };
    return kwt::RunDriver("kwbench", areas);
}
