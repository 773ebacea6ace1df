// Runs idle ticks of the connection watcher (no connection, nothing launched) over a program list of
// the given length, for counting instructions with callgrind: bench-tick.sh. It also prints how
// often the ticks wrote a label, each write being a trip to the window system in the real program.
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "fakes/form_fixture.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: idle_tick ENTRIES TICKS\n";
        return 2;
    }
    const int entries = std::atoi(argv[1]);
    const int ticks = std::atoi(argv[2]);

    kw::test::FormRig rig;
    std::vector<std::string> list;
    for (int i = 0; i < entries; ++i) {
        list.push_back("\"C:\\Programme\\Werkzeug" + std::to_string(i) + "\\werkzeug.exe\" /minimiert");
    }
    rig.start("2", list);
    const std::size_t writesBefore = rig.view.textLog.size();
    for (int i = 0; i < ticks; ++i) {
        rig.tick(0);
    }
    std::cout << rig.view.listCount() << " entries, " << ticks << " ticks, " << rig.view.textLog.size() - writesBefore
              << " label writes\n";
    return 0;
}
