// The local time as a person reads it on a page: "2026-12-09 14:09".
#pragma once

#include <ctime>
#include <string>

namespace kolvo {

// `when` (by default now) in the local time zone, to the minute.
std::string LocalTimeText(std::time_t when = std::time(nullptr));

} // namespace kolvo
