// The library's calendar functions and time texts beside the C library's,
// on the same ten million epoch values in one run, under the same zone rule
// (daylight time from the first Sunday of April to the last of October).
// Prints the time per call of each and the ratio peer / library.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <random>
#include <vector>

#include "veltra/timestr.h"
#include "veltra/timezone.h"

namespace {

constexpr size_t kValues = 10000000;
constexpr uint32_t kMaxTime = 4102444799u;
const char kLibraryTz[] = "CET-1CEST";
const char kLibcTz[] = "CET-1CEST,M4.1.0/2,M10.5.0/2";
const char kLibcFormat[] = "%d.%m.%Y %H:%M:%S";
constexpr int16_t kTimeStrFlags = 0x07E;  // dd.mm.yyyy hh:mm:ss
constexpr size_t kTextSize = 32;

volatile uint64_t g_sink;

template <class F>
double ns_per_call(F f) {
  auto start = std::chrono::steady_clock::now();
  uint64_t sum = 0;
  for (size_t i = 0; i < kValues; ++i) sum += f(i);
  auto end = std::chrono::steady_clock::now();
  g_sink = g_sink + sum;
  return std::chrono::duration<double, std::nano>(end - start).count() / kValues;
}

void row(const char* what, const char* peer_name, double lib, double peer) {
  std::printf("%-12s %9.1f ns   %-24s %9.1f ns   %6.2fx\n", what, lib, peer_name, peer, peer / lib);
}

}  // namespace

int main() {
  setenv("TZ", kLibraryTz, 1);
  tzset_();
  setenv("TZ", kLibcTz, 1);
  tzset();

  std::mt19937 rng(1);
  std::uniform_int_distribution<uint32_t> any(86400, kMaxTime - 86400);
  std::vector<uint32_t> times(kValues);
  for (auto& t : times) t = any(rng);

  // Inputs of mktime and the scanners, made once from the C library.
  std::vector<tm> libc_fields(kValues);
  std::vector<vt_tm> lib_fields(kValues);
  std::vector<char> texts(kValues * kTextSize);
  for (size_t i = 0; i < kValues; ++i) {
    time_t v = times[i];
    localtime_r(&v, &libc_fields[i]);
    const tm& w = libc_fields[i];
    lib_fields[i] = vt_tm{w.tm_sec, w.tm_min, w.tm_hour, w.tm_mday, w.tm_mon, w.tm_year, 0, 0, -1};
    libc_fields[i].tm_isdst = -1;
    strftime(&texts[i * kTextSize], kTextSize, kLibcFormat, &w);
  }

  std::printf("%zu values, zone %s\n\n", kValues, kLibcTz);
  std::printf("%-12s %12s   %-24s %12s   %7s\n", "library", "per call", "C library", "per call", "ratio");

  double a = ns_per_call([&](size_t i) {
    vt_time_t t = static_cast<vt_time_t>(times[i]);
    return uint64_t(vt_gmtime(&t)->tm_mday);
  });
  double b = ns_per_call([&](size_t i) {
    time_t t = times[i];
    tm r;
    return uint64_t(gmtime_r(&t, &r)->tm_mday);
  });
  row("gmtime", "gmtime_r", a, b);

  a = ns_per_call([&](size_t i) {
    vt_time_t t = static_cast<vt_time_t>(times[i]);
    return uint64_t(vt_localtime(&t)->tm_hour);
  });
  b = ns_per_call([&](size_t i) {
    time_t t = times[i];
    tm r;
    return uint64_t(localtime_r(&t, &r)->tm_hour);
  });
  row("localtime", "localtime_r", a, b);

  std::vector<vt_tm> lib_copy = lib_fields;
  std::vector<tm> libc_copy = libc_fields;
  a = ns_per_call([&](size_t i) { return uint64_t(static_cast<uint32_t>(vt_mktime(&lib_copy[i]))); });
  b = ns_per_call([&](size_t i) { return uint64_t(mktime(&libc_copy[i])); });
  row("mktime", "mktime", a, b);

  char out[kTextSize];
  a = ns_per_call([&](size_t i) {
    return uint64_t(TimeStr(out, static_cast<vt_time_t>(times[i]), 0, kTimeStrFlags)[0]);
  });
  double strf = ns_per_call([&](size_t i) {
    return uint64_t(strftime(out, sizeof out, kLibcFormat, &libc_fields[i]));
  });
  b = ns_per_call([&](size_t i) {
    time_t t = times[i];
    tm r;
    localtime_r(&t, &r);
    return uint64_t(strftime(out, sizeof out, kLibcFormat, &r));
  });
  row("TimeStr", "strftime (tm given)", a, strf);
  row("TimeStr", "localtime_r + strftime", a, b);

  std::vector<char> work = texts;
  a = ns_per_call([&](size_t i) {
    return uint64_t(static_cast<uint32_t>(ScanTimeStr(&work[i * kTextSize], 1)));
  });
  b = ns_per_call([&](size_t i) {
    tm r{};
    return uint64_t(strptime(&texts[i * kTextSize], kLibcFormat, &r) != nullptr);
  });
  row("ScanTimeStr", "strptime (fields only)", a, b);

  b = ns_per_call([&](size_t i) {
    tm r{};
    strptime(&texts[i * kTextSize], kLibcFormat, &r);
    r.tm_isdst = -1;
    return uint64_t(mktime(&r));
  });
  row("ScanTimeStr", "strptime + mktime", a, b);
  return 0;
}
