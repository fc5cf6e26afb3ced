#pragma once
// The calendar time of this computer's time zone, safe to ask from several
// threads at once.

#include <chrono>
#include <ctime>

namespace torvan {

// The local calendar time of `when`.
std::tm LocalTime(std::chrono::system_clock::time_point when);

}  // namespace torvan
