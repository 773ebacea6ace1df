#include "app/program_info.h"

namespace kw::program {

std::string TitleWithVersion() {
    return std::string(kTitle) + " " + std::to_string(kVersionMajor) + "." + std::to_string(kVersionMinor);
}

}  // namespace kw::program
