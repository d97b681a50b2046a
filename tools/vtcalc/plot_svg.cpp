// The SVG text of the trend chart: written by hand, a few elements of the
// SVG 1.1 basics that every renderer knows.
#include <cmath>
#include <cstdio>

#include "plot.h"
#include "plot_axis.h"

namespace vtcalc {

namespace {

// Distinct colours, dark enough on white; series beyond them repeat them.
constexpr const char* kColours[] = {"#1f5fbf", "#d0312d", "#2a9d3a", "#e08a00",
                                    "#7b3fa0", "#8a5a2b", "#d147a3", "#138d90"};
constexpr int kColourCount = 8;

constexpr double kWidth = 960, kLeft = 80, kRight = 24, kTop = 44, kChartHeight = 360;
constexpr double kLaneHeight = 30, kLaneGap = 8, kAxisHeight = 48;
constexpr int kWantedTicks = 8;

std::string escaped(const std::string& s) {
  std::string out;
  for (char c : s) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default:
        if (static_cast<unsigned char>(c) >= 0x20 || c == '\t') out += c;
    }
  }
  return out;
}

std::string num(double v) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.1f", v);
  return buf;
}

struct Scale {
  double from, to, lo, hi;  // pixels from..to for values lo..hi
  double operator()(double v) const { return hi == lo ? from : from + (v - lo) / (hi - lo) * (to - from); }
};

}  // namespace

std::string Plot::svg() const {
  std::size_t lanes = 0;
  double x_lo = INFINITY, x_hi = -INFINITY, y_lo = INFINITY, y_hi = -INFINITY;
  for (std::size_t s = 0; s < series_.size(); ++s) {
    if (series_[s].boolean) ++lanes;
    for (const Bucket& b : buckets_[s]) {
      x_lo = std::fmin(x_lo, b.x_first);
      x_hi = std::fmax(x_hi, b.x_last);
      if (!series_[s].boolean && !std::isnan(b.low)) {
        y_lo = std::fmin(y_lo, b.low);
        y_hi = std::fmax(y_hi, b.high);
      }
    }
  }
  if (!(x_lo <= x_hi)) x_lo = 0, x_hi = 1;
  if (x_lo == x_hi) x_lo -= 1, x_hi += 1;
  if (!(y_lo <= y_hi)) y_lo = 0, y_hi = 1;
  if (y_lo == y_hi) y_lo -= 1, y_hi += 1;
  double pad = (y_hi - y_lo) * 0.05;
  y_lo -= pad, y_hi += pad;

  double lanes_top = kTop + kChartHeight + kLaneGap;
  double axis_top = lanes_top + lanes * kLaneHeight;
  double height = axis_top + kAxisHeight;
  Scale x{kLeft, kWidth - kRight, x_lo, x_hi};
  Scale y{kTop + kChartHeight, kTop, y_lo, y_hi};

  std::string o;
  o += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  o += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + num(kWidth) + "\" height=\"" + num(height) +
       "\" viewBox=\"0 0 " + num(kWidth) + " " + num(height) + "\" font-family=\"sans-serif\" font-size=\"12\">\n";
  o += "<rect width=\"100%\" height=\"100%\" fill=\"#ffffff\"/>\n";

  // Grid and labels of both axes.
  o += "<g stroke=\"#dddddd\" stroke-width=\"1\">\n";
  std::vector<Tick> xt = time_axis_ ? time_ticks(x_lo, x_hi, notation_, kWantedTicks)
                                    : number_ticks(x_lo, x_hi, decimal_, kWantedTicks);
  std::vector<Tick> yt = number_ticks(y_lo, y_hi, decimal_, kWantedTicks);
  for (const Tick& t : xt)
    o += "<line x1=\"" + num(x(t.value)) + "\" y1=\"" + num(kTop) + "\" x2=\"" + num(x(t.value)) + "\" y2=\"" +
         num(axis_top) + "\"/>\n";
  for (const Tick& t : yt)
    o += "<line x1=\"" + num(kLeft) + "\" y1=\"" + num(y(t.value)) + "\" x2=\"" + num(kWidth - kRight) +
         "\" y2=\"" + num(y(t.value)) + "\"/>\n";
  o += "</g>\n<g fill=\"#333333\">\n";
  for (const Tick& t : xt) {
    o += "<text x=\"" + num(x(t.value)) + "\" y=\"" + num(axis_top + 16) + "\" text-anchor=\"middle\">" +
         escaped(t.label) + "</text>\n";
    if (!t.label2.empty())
      o += "<text x=\"" + num(x(t.value)) + "\" y=\"" + num(axis_top + 32) + "\" text-anchor=\"middle\">" +
           escaped(t.label2) + "</text>\n";
  }
  for (const Tick& t : yt)
    o += "<text x=\"" + num(kLeft - 6) + "\" y=\"" + num(y(t.value) + 4) + "\" text-anchor=\"end\">" +
         escaped(t.label) + "</text>\n";
  o += "</g>\n";
  o += "<rect x=\"" + num(kLeft) + "\" y=\"" + num(kTop) + "\" width=\"" + num(kWidth - kLeft - kRight) +
       "\" height=\"" + num(kChartHeight) + "\" fill=\"none\" stroke=\"#888888\"/>\n";

  // The series: floats as lines through each bucket's first, lowest,
  // highest and last value; Booleans as steps in their lanes.
  double legend_x = kLeft;
  std::size_t lane = 0;
  for (std::size_t s = 0; s < series_.size(); ++s) {
    const char* colour = kColours[s % kColourCount];
    const std::vector<Bucket>& list = buckets_[s];
    if (series_[s].boolean) {
      double top = lanes_top + lane * kLaneHeight + 4, bottom = top + kLaneHeight - 10;
      ++lane;
      Scale level{bottom, top, 0, 1};
      o += "<rect x=\"" + num(kLeft) + "\" y=\"" + num(top - 2) + "\" width=\"" + num(kWidth - kLeft - kRight) +
           "\" height=\"" + num(bottom - top + 4) + "\" fill=\"#f6f6f6\"/>\n";
      o += "<text x=\"" + num(kLeft - 6) + "\" y=\"" + num(bottom) + "\" text-anchor=\"end\" fill=\"#333333\">" +
           escaped(series_[s].name) + "</text>\n";
      std::string d;
      for (const Bucket& b : list) {
        if (std::isnan(b.first)) continue;
        if (d.empty())
          d = "M" + num(x(b.x_first)) + " " + num(level(b.first));
        else
          d += " H" + num(x(b.x_first)) + " V" + num(level(b.first));
        if (b.low != b.high) {
          double mid = x((b.x_first + b.x_last) / 2);
          d += " H" + num(mid) + " V" + num(level(b.low)) + " V" + num(level(b.high));
        }
        d += " H" + num(x(b.x_last)) + " V" + num(level(b.last));
      }
      if (!d.empty())
        o += "<path d=\"" + d + "\" fill=\"none\" stroke=\"" + colour + "\" stroke-width=\"2\"/>\n";
    } else {
      std::string points;
      auto flush = [&]() {
        if (!points.empty())
          o += "<polyline points=\"" + points + "\" fill=\"none\" stroke=\"" + colour +
               "\" stroke-width=\"1.5\" stroke-linejoin=\"round\"/>\n";
        points.clear();
      };
      auto point = [&](double px, double v) {
        if (std::isnan(v)) return;
        if (!points.empty()) points += ' ';
        points += num(x(px)) + "," + num(y(v));
      };
      for (const Bucket& b : list) {
        if (std::isnan(b.low)) {
          flush();
          continue;
        }
        point(b.x_first, b.first);
        if (b.x_last != b.x_first || b.low != b.high) {
          double mid = (b.x_first + b.x_last) / 2;
          point(mid, b.low);
          point(mid, b.high);
          point(b.x_last, b.last);
        }
      }
      flush();
    }
    // The legend entry: a short line in the colour and the name.
    o += "<line x1=\"" + num(legend_x) + "\" y1=\"20\" x2=\"" + num(legend_x + 24) + "\" y2=\"20\" stroke=\"" +
         colour + "\" stroke-width=\"4\"/>\n";
    o += "<text x=\"" + num(legend_x + 30) + "\" y=\"24\" fill=\"#333333\">" + escaped(series_[s].name) +
         "</text>\n";
    legend_x += 48 + 7.0 * static_cast<double>(series_[s].name.size());
  }
  o += "</svg>\n";
  return o;
}

}  // namespace vtcalc
