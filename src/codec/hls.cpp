// Conversion between red/green/blue and the hexcone hue/lightness/saturation
// model on the scale of the suite's colour dialogs: 0..240 for H, L and S.
// The arithmetic is single precision and every result is truncated, as the
// stored colours of existing configurations were made that way; a colour
// therefore may lose a step on the way to HLS and back.
#include <algorithm>

#include "port/fp_state.h"
#include "veltra/codec.h"

namespace vt::codec {

namespace {

constexpr float kRgbMax = 255.0f;
constexpr float kHlsMax = 240.0f;
constexpr int kHueCircle = 240;
constexpr uint16_t kHlsTop = 240;
constexpr uint16_t kRgbTop = 255;
constexpr int kHueSector = 40;  // a sixth of the circle
constexpr float kSectorsPerCircle = 6.0f;
constexpr float kDegreesPerSector = 60.0f;
constexpr float kDegreesPerCircle = 360.0f;

// The hue turned a third of a circle: from blue's sector 5 + g' round to
// blue at 0 again, red lands at sector 2 (hue 80), green at 4 (hue 160).
float hue_sectors(float r, float g, float b, float max, float min, float d) {
  float rd = (max - r) / d, gd = (max - g) / d, bd = (max - b) / d;
  if (r == max) return g == min ? 1 + bd : 3 - gd;
  if (g == max) return b == min ? 3 + rd : 5 - bd;
  return r == min ? 5 + gd : 1 - rd;
}

// One component: x is the hue moved by the component's offset.
float component(int hue, int offset, float m1, float m2) {
  int x = hue + offset;
  if (x > kHueCircle) x -= kHueCircle;
  if (x < kHueSector) return m1 + (m2 - m1) * x / kHueSector;
  if (x < 3 * kHueSector) return m2;
  if (x < 4 * kHueSector) return m1 + (m2 - m1) * (4 * kHueSector - x) / kHueSector;
  return m1;
}

uint16_t truncate(float v) { return static_cast<uint16_t>(static_cast<int>(v)); }

void set(uint16_t* out, uint16_t v) {
  if (out) *out = v;
}

}  // namespace

void rgb_to_hls(uint16_t red, uint16_t green, uint16_t blue, uint16_t* hue,
                uint16_t* lightness, uint16_t* saturation) {
  float r = std::min(red, kRgbTop) / kRgbMax;
  float g = std::min(green, kRgbTop) / kRgbMax;
  float b = std::min(blue, kRgbTop) / kRgbMax;
  float max = std::max({r, g, b}), min = std::min({r, g, b});
  float l = (max + min) / 2, d = max - min;
  float s = 0, degrees = 0;
  if (d != 0) {
    s = l <= 0.5f ? d / (max + min) : d / (2 - max - min);
    float h = hue_sectors(r, g, b, max, min, d);
    degrees = h >= kSectorsPerCircle ? 0 : h * kDegreesPerSector;
  }
  set(hue, truncate(degrees * kHlsMax / kDegreesPerCircle));
  set(lightness, truncate(l * kHlsMax));
  set(saturation, truncate(s * kHlsMax));
}

void hls_to_rgb(uint16_t hue, uint16_t lightness, uint16_t saturation, uint16_t* red,
                uint16_t* green, uint16_t* blue) {
  int h = hue > kHueCircle ? hue % kHueCircle : hue;
  float l = std::min(lightness, kHlsTop) / kHlsMax;
  float s = std::min(saturation, kHlsTop) / kHlsMax;
  float m2 = l <= 0.5f ? l * (1 + s) : l + s - l * s;
  float m1 = 2 * l - m2;
  set(red, truncate(component(h, 0, m1, m2) * kRgbMax));
  set(green, truncate(component(h, 4 * kHueSector, m1, m2) * kRgbMax));
  set(blue, truncate(component(h, 2 * kHueSector, m1, m2) * kRgbMax));
}

}  // namespace vt::codec

void RGBtoHLS(uint16_t red, uint16_t green, uint16_t blue, uint16_t* hue,
              uint16_t* lightness, uint16_t* saturation) {
  vt::port::FpGuard fp;
  vt::codec::rgb_to_hls(red, green, blue, hue, lightness, saturation);
}

void HLStoRGB(uint16_t hue, uint16_t lightness, uint16_t saturation, uint16_t* red,
              uint16_t* green, uint16_t* blue) {
  vt::port::FpGuard fp;
  vt::codec::hls_to_rgb(hue, lightness, saturation, red, green, blue);
}
