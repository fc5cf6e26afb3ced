#include <time.h>

#include "core/files/LocalTime.h"

namespace torvan {

std::tm LocalTime(std::chrono::system_clock::time_point when) {
  const std::time_t t = std::chrono::system_clock::to_time_t(when);
  std::tm local{};
  ::localtime_r(&t, &local);
  return local;
}

}  // namespace torvan
