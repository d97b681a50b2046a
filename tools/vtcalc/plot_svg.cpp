// The SVG text of the trend chart: written by hand, a few elements of the
// SVG 1.1 basics that every renderer knows. From the top: the legend, the
// chart of the float series with its grid, one lane per Boolean series, and
// the time (or row) axis with its labels.
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
constexpr const char* kGridColour = "#dddddd";
constexpr const char* kTextColour = "#333333";
constexpr const char* kFrameColour = "#888888";
constexpr const char* kLaneColour = "#f6f6f6";

// The page, in pixels: the chart's frame lies kLeft from the left, kRight
// from the right and kTop from the top (room for the legend above it).
constexpr double kWidth = 960, kLeft = 80, kRight = 24, kTop = 44, kChartHeight = 360;
constexpr int kFontSize = 12;
// A label's baseline lies this far below the middle of what it labels
// (about a third of the font size), and labels keep kLabelGap off the frame.
constexpr double kLabelRaise = 4, kLabelGap = 6;
// Below the chart: the Boolean lanes, then the axis with one or two lines
// of labels (time, and the date where the day changes).
constexpr double kLaneHeight = 30, kLaneGap = 8, kAxisHeight = 48;
constexpr double kFirstLabelLine = 16, kSecondLabelLine = 32;
// A lane's step line keeps kLanePadTop off the lane's top and kLanePadBottom
// off its bottom; its grey band reaches kLaneBand past the line's extremes.
constexpr double kLanePadTop = 4, kLanePadBottom = 6, kLaneBand = 2;
// The value range gets this share of its span as margin above and below.
constexpr double kValueMargin = 0.05;
constexpr int kWantedTicks = 8;
constexpr double kLineWidth = 1.5, kStepWidth = 2;
// Legend entries: a line of the series' colour, then its name; names are
// measured at an average character width.
constexpr double kLegendY = 20, kLegendLine = 24, kLegendLineWidth = 4, kLegendTextGap = 6;
constexpr double kLegendSpacing = 18, kLegendCharWidth = 7;

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

// Where everything goes: the scales of both axes and the heights below the
// chart.
struct Layout {
  Scale x, y;
  std::size_t lanes;
  double lanes_top, axis_top, height;
};

using Buckets = std::vector<Plot::Bucket>;

Layout layout_of(const std::vector<Plot::Series>& series, const std::vector<Buckets>& buckets) {
  std::size_t lanes = 0;
  double x_lo = INFINITY, x_hi = -INFINITY, y_lo = INFINITY, y_hi = -INFINITY;
  for (std::size_t s = 0; s < series.size(); ++s) {
    if (series[s].boolean) ++lanes;
    for (const Plot::Bucket& b : buckets[s]) {
      x_lo = std::fmin(x_lo, b.x_first);
      x_hi = std::fmax(x_hi, b.x_last);
      if (!series[s].boolean && !std::isnan(b.low)) {
        y_lo = std::fmin(y_lo, b.low);
        y_hi = std::fmax(y_hi, b.high);
      }
    }
  }
  // No points, or all at one place: a range of 1 around them.
  if (!(x_lo <= x_hi)) x_lo = 0, x_hi = 1;
  if (x_lo == x_hi) x_lo -= 1, x_hi += 1;
  if (!(y_lo <= y_hi)) y_lo = 0, y_hi = 1;
  if (y_lo == y_hi) y_lo -= 1, y_hi += 1;
  double margin = (y_hi - y_lo) * kValueMargin;
  Layout l;
  l.x = Scale{kLeft, kWidth - kRight, x_lo, x_hi};
  l.y = Scale{kTop + kChartHeight, kTop, y_lo - margin, y_hi + margin};
  l.lanes = lanes;
  l.lanes_top = kTop + kChartHeight + kLaneGap;
  l.axis_top = l.lanes_top + static_cast<double>(lanes) * kLaneHeight;
  l.height = l.axis_top + kAxisHeight;
  return l;
}

void draw_grid_and_labels(std::string& o, const Layout& l, const std::vector<Tick>& xt, const std::vector<Tick>& yt) {
  o += std::string("<g stroke=\"") + kGridColour + "\" stroke-width=\"1\">\n";
  for (const Tick& t : xt)
    o += "<line x1=\"" + num(l.x(t.value)) + "\" y1=\"" + num(kTop) + "\" x2=\"" + num(l.x(t.value)) + "\" y2=\"" +
         num(l.axis_top) + "\"/>\n";
  for (const Tick& t : yt)
    o += "<line x1=\"" + num(kLeft) + "\" y1=\"" + num(l.y(t.value)) + "\" x2=\"" + num(kWidth - kRight) +
         "\" y2=\"" + num(l.y(t.value)) + "\"/>\n";
  o += std::string("</g>\n<g fill=\"") + kTextColour + "\">\n";
  for (const Tick& t : xt) {
    o += "<text x=\"" + num(l.x(t.value)) + "\" y=\"" + num(l.axis_top + kFirstLabelLine) +
         "\" text-anchor=\"middle\">" + escaped(t.label) + "</text>\n";
    if (!t.label2.empty())
      o += "<text x=\"" + num(l.x(t.value)) + "\" y=\"" + num(l.axis_top + kSecondLabelLine) +
           "\" text-anchor=\"middle\">" + escaped(t.label2) + "</text>\n";
  }
  for (const Tick& t : yt)
    o += "<text x=\"" + num(kLeft - kLabelGap) + "\" y=\"" + num(l.y(t.value) + kLabelRaise) +
         "\" text-anchor=\"end\">" + escaped(t.label) + "</text>\n";
  o += "</g>\n";
  o += "<rect x=\"" + num(kLeft) + "\" y=\"" + num(kTop) + "\" width=\"" + num(kWidth - kLeft - kRight) +
       "\" height=\"" + num(kChartHeight) + "\" fill=\"none\" stroke=\"" + kFrameColour + "\"/>\n";
}

// A Boolean series as steps in lane `lane`, with its name left of the lane.
void draw_lane(std::string& o, const Layout& l, std::size_t lane, const Plot::Series& series, const Buckets& list,
               const char* colour) {
  double top = l.lanes_top + static_cast<double>(lane) * kLaneHeight + kLanePadTop;
  double bottom = top + kLaneHeight - kLanePadTop - kLanePadBottom;
  Scale level{bottom, top, 0, 1};
  o += "<rect x=\"" + num(kLeft) + "\" y=\"" + num(top - kLaneBand) + "\" width=\"" + num(kWidth - kLeft - kRight) +
       "\" height=\"" + num(bottom - top + 2 * kLaneBand) + "\" fill=\"" + kLaneColour + "\"/>\n";
  o += "<text x=\"" + num(kLeft - kLabelGap) + "\" y=\"" + num(bottom) + "\" text-anchor=\"end\" fill=\"" +
       kTextColour + "\">" + escaped(series.name) + "</text>\n";
  std::string d;
  for (const Plot::Bucket& b : list) {
    if (std::isnan(b.first)) continue;
    if (d.empty())
      d = "M" + num(l.x(b.x_first)) + " " + num(level(b.first));
    else
      d += " H" + num(l.x(b.x_first)) + " V" + num(level(b.first));
    if (b.low != b.high) {
      double mid = l.x((b.x_first + b.x_last) / 2);
      d += " H" + num(mid) + " V" + num(level(b.low)) + " V" + num(level(b.high));
    }
    d += " H" + num(l.x(b.x_last)) + " V" + num(level(b.last));
  }
  if (!d.empty())
    o += "<path d=\"" + d + "\" fill=\"none\" stroke=\"" + colour + "\" stroke-width=\"" + num(kStepWidth) +
         "\"/>\n";
}

// A float series as lines through each bucket's first, lowest, highest and
// last value; a bucket without a value breaks the line.
void draw_line(std::string& o, const Layout& l, const Buckets& list, const char* colour) {
  std::string points;
  auto flush = [&]() {
    if (!points.empty())
      o += "<polyline points=\"" + points + "\" fill=\"none\" stroke=\"" + colour + "\" stroke-width=\"" +
           num(kLineWidth) + "\" stroke-linejoin=\"round\"/>\n";
    points.clear();
  };
  auto point = [&](double px, double v) {
    if (std::isnan(v)) return;
    if (!points.empty()) points += ' ';
    points += num(l.x(px)) + "," + num(l.y(v));
  };
  for (const Plot::Bucket& b : list) {
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

// One legend entry at x; returns where the next one starts.
double draw_legend_entry(std::string& o, double x, const Plot::Series& series, const char* colour) {
  o += "<line x1=\"" + num(x) + "\" y1=\"" + num(kLegendY) + "\" x2=\"" + num(x + kLegendLine) + "\" y2=\"" +
       num(kLegendY) + "\" stroke=\"" + colour + "\" stroke-width=\"" + num(kLegendLineWidth) + "\"/>\n";
  const double text_x = x + kLegendLine + kLegendTextGap;
  o += "<text x=\"" + num(text_x) + "\" y=\"" + num(kLegendY + kLabelRaise) + "\" fill=\"" + kTextColour + "\">" +
       escaped(series.name) + "</text>\n";
  return text_x + kLegendSpacing + kLegendCharWidth * static_cast<double>(series.name.size());
}

}  // namespace

std::string Plot::svg() const {
  const Layout l = layout_of(series_, buckets_);
  std::string o;
  o += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  o += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + num(kWidth) + "\" height=\"" + num(l.height) +
       "\" viewBox=\"0 0 " + num(kWidth) + " " + num(l.height) + "\" font-family=\"sans-serif\" font-size=\"" +
       std::to_string(kFontSize) + "\">\n";
  o += "<rect width=\"100%\" height=\"100%\" fill=\"#ffffff\"/>\n";
  std::vector<Tick> xt = time_axis_ ? time_ticks(l.x.lo, l.x.hi, notation_, kWantedTicks)
                                    : number_ticks(l.x.lo, l.x.hi, decimal_, kWantedTicks);
  draw_grid_and_labels(o, l, xt, number_ticks(l.y.lo, l.y.hi, decimal_, kWantedTicks));
  double legend_x = kLeft;
  std::size_t lane = 0;
  for (std::size_t s = 0; s < series_.size(); ++s) {
    const char* colour = kColours[s % kColourCount];
    if (series_[s].boolean)
      draw_lane(o, l, lane++, series_[s], buckets_[s], colour);
    else
      draw_line(o, l, buckets_[s], colour);
    legend_x = draw_legend_entry(o, legend_x, series_[s], colour);
  }
  o += "</svg>\n";
  return o;
}

}  // namespace vtcalc
