#include "plot_axis.h"

#include <cmath>
#include <cstdio>

namespace vtcalc {

namespace {

constexpr double kDay = 86400;

// Steps of a time axis in seconds, each a round part of the next.
constexpr double kTimeSteps[] = {1,    2,    5,    10,    15,    30,    60,     120,    300,    600,
                                 900,  1800, 3600, 7200, 10800, 21600, 43200, kDay, 2 * kDay, 7 * kDay,
                                 14 * kDay, 28 * kDay, 91 * kDay, 182 * kDay, 364 * kDay};

// Seconds the local clock is ahead of UTC at t.
double local_offset(double t) {
  vt_time_t s = to_epoch(t);
  const vt_tm* tm = vt_localtime(&s);
  if (!tm) return 0;
  vt_tm copy = *tm;
  vt_time_t as_utc = mktimegm(&copy);
  return as_utc == VT_TIME_INVALID ? 0 : epoch_seconds(as_utc) - epoch_seconds(s);
}

std::string date_text(const vt_tm& tm, const Notation& n, bool with_year) {
  std::string s;
  char part[16];
  for (int i = 0; i < 3; ++i) {
    char which = n.order[i];
    if (which == 'y' && !with_year) continue;
    if (which == 'y')
      std::snprintf(part, sizeof part, "%04d", tm.tm_year + 1900);
    else
      std::snprintf(part, sizeof part, "%02d", which == 'd' ? tm.tm_mday : tm.tm_mon + 1);
    if (!s.empty()) s += n.date_sep;
    s += part;
  }
  return s;
}

}  // namespace

std::vector<Tick> time_ticks(double lo, double hi, const Notation& n, int wanted) {
  std::vector<Tick> ticks;
  double span = hi - lo;
  double step = kTimeSteps[sizeof kTimeSteps / sizeof kTimeSteps[0] - 1];
  for (double s : kTimeSteps)
    if (span / s <= wanted) {
      step = s;
      break;
    }
  // Round local times: count the steps from local midnight of 1970.
  double offset = local_offset(lo);
  double first = std::ceil((lo + offset) / step) * step - offset;
  int last_day = -1;
  for (double t = first; t <= hi + 1e-6 && ticks.size() < 64; t += step) {
    vt_time_t s = to_epoch(std::round(t));
    const vt_tm* tm = vt_localtime(&s);
    if (!tm) continue;
    Tick tick{t, "", ""};
    char clock[16];
    std::snprintf(clock, sizeof clock, "%02d%c%02d", tm->tm_hour, n.time_sep, tm->tm_min);
    if (step < 60) std::snprintf(clock + 5, sizeof clock - 5, "%c%02d", n.time_sep, tm->tm_sec);
    int day = tm->tm_year * 400 + tm->tm_yday;
    if (step >= kDay) {
      tick.label = date_text(*tm, n, true);
    } else {
      tick.label = clock;
      if (day != last_day) tick.label2 = date_text(*tm, n, true);
    }
    last_day = day;
    ticks.push_back(tick);
  }
  return ticks;
}

std::vector<Tick> number_ticks(double lo, double hi, char decimal, int wanted) {
  std::vector<Tick> ticks;
  double span = hi - lo;
  if (!(span > 0) || !std::isfinite(span)) return ticks;
  double raw = span / wanted;
  double power = std::pow(10.0, std::floor(std::log10(raw)));
  double step = power;
  for (double m : {1.0, 2.0, 5.0, 10.0})
    if (raw <= m * power) {
      step = m * power;
      break;
    }
  int decimals = step >= 1 ? 0 : static_cast<int>(std::ceil(-std::log10(step) - 1e-9));
  for (double v = std::ceil(lo / step) * step; v <= hi + step * 1e-9 && ticks.size() < 64; v += step) {
    char buf[48];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, std::fabs(v) < step * 1e-9 ? 0.0 : v);
    for (char* p = buf; *p; ++p)
      if (*p == '.') *p = decimal;
    ticks.push_back({v, buf, ""});
  }
  return ticks;
}

}  // namespace vtcalc
