#include "frame/NumberText.h"

#include <chrono>
#include <cmath>
#include <cstdint>
#include <string>

#include "lombar/Error.h"

namespace lombar {
namespace {

std::string TwoDigits(long value) {
  return (value < 10 ? "0" : "") + std::to_string(value);
}

// "M/D/YYYY" of a day counted from 30 December 1899.
std::string CalendarText(std::int64_t day) {
  using namespace std::chrono;
  constexpr sys_days kDayZero = year{1899} / December / 30;
  const year_month_day date{kDayZero + days{day}};
  std::string year_text = std::to_string(static_cast<int>(date.year()));
  if (year_text.size() < 4) year_text.insert(0, 4 - year_text.size(), '0');
  return std::to_string(static_cast<unsigned>(date.month())) + '/' +
         std::to_string(static_cast<unsigned>(date.day())) + '/' + year_text;
}

// "h:mm:ss AM" of a number of seconds since midnight.
std::string ClockText(long seconds) {
  const long hour = seconds / 3600;
  const long hour12 = hour % 12 == 0 ? 12 : hour % 12;
  return std::to_string(hour12) + ':' + TwoDigits(seconds / 60 % 60) + ':' +
         TwoDigits(seconds % 60) + (hour < 12 ? " AM" : " PM");
}

}  // namespace

std::string DateText(Date value) {
  if (!value.InRange()) RaiseRuntime(kInvalidProcedureCall);
  constexpr long kSecondsPerDay = 24 * 60 * 60;
  // Before day 0 the day counts backwards but its time still runs forwards:
  // -1.25 is 29 December 1899, 6:00.
  std::int64_t day = static_cast<std::int64_t>(std::trunc(value.serial));
  long seconds = std::lround(std::abs(value.serial - static_cast<double>(day)) * kSecondsPerDay);
  if (seconds == kSecondsPerDay) {
    ++day;
    seconds = 0;
  }
  if (day == 0) return ClockText(seconds);
  if (seconds == 0) return CalendarText(day);
  return CalendarText(day) + ' ' + ClockText(seconds);
}

}  // namespace lombar
