// File-open dialog filters: the "description|pattern|..." form used in the
// program's tables, turned into the platform's zero-separated list.
#pragma once
#include <string>

namespace orvik {

// "A|*.a|B|*.b" gives "A\0*.a\0B\0*.b\0\0".
std::string PlatformFilter(const std::string& filter);

}  // namespace orvik
