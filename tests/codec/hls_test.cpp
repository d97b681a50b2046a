// Colour model conversion: the named colours, then properties over the whole
// RGB cube that hold whatever the formula's details (grey stays grey, the
// hue of the primary and secondary colours, lightness ordering, the round
// trip's largest loss).
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>

#include "veltra/codec.h"

namespace {

using Triple = std::array<int, 3>;

Triple to_hls(int r, int g, int b) {
  uint16_t h = 999, l = 999, s = 999;
  RGBtoHLS(uint16_t(r), uint16_t(g), uint16_t(b), &h, &l, &s);
  return {h, l, s};
}

Triple to_rgb(const Triple& hls) {
  uint16_t r = 999, g = 999, b = 999;
  HLStoRGB(uint16_t(hls[0]), uint16_t(hls[1]), uint16_t(hls[2]), &r, &g, &b);
  return {r, g, b};
}

TEST(Hls, NamedColoursAndOutOfRangeInput) {
  struct {
    Triple rgb, hls, back;
  } cases[] = {
      {{255, 0, 0}, {80, 120, 240}, {255, 0, 0}},       {{0, 255, 0}, {160, 120, 240}, {0, 255, 0}},
      {{0, 0, 255}, {0, 120, 240}, {0, 0, 255}},        {{255, 255, 0}, {120, 120, 240}, {255, 255, 0}},
      {{255, 255, 255}, {0, 240, 0}, {255, 255, 255}},  {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}},
      {{128, 128, 128}, {0, 120, 0}, {127, 127, 127}},  // truncation loses a step
      {{300, 0, 0}, {80, 120, 240}, {255, 0, 0}},       // components above 255 count as 255
  };
  for (const auto& c : cases) {
    EXPECT_EQ(to_hls(c.rgb[0], c.rgb[1], c.rgb[2]), c.hls) << c.rgb[0] << "," << c.rgb[1];
    EXPECT_EQ(to_rgb(c.hls), c.back) << c.rgb[0] << "," << c.rgb[1];
  }
  EXPECT_EQ(to_rgb({320, 120, 240}), to_rgb({80, 120, 240}));   // hue modulo 240
  EXPECT_EQ(to_rgb({80, 999, 999}), to_rgb({80, 240, 240}));    // clamped to 240
  RGBtoHLS(1, 2, 3, nullptr, nullptr, nullptr);
  HLStoRGB(1, 2, 3, nullptr, nullptr, nullptr);
}

TEST(Hls, HuesOfPrimaryAndSecondaryColoursAndTheFullCircle) {
  for (int k = 1; k <= 255; ++k) {
    EXPECT_EQ(to_hls(k, 0, 0)[0], 80) << k;   // red
    EXPECT_EQ(to_hls(k, k, 0)[0], 120) << k;  // yellow
    EXPECT_EQ(to_hls(0, k, 0)[0], 160) << k;  // green
    EXPECT_EQ(to_hls(0, k, k)[0], 200) << k;  // cyan
    EXPECT_EQ(to_hls(0, 0, k)[0], 0) << k;    // blue
    EXPECT_EQ(to_hls(k, 0, k)[0], 40) << k;   // magenta
  }
  for (int l = 0; l <= 240; ++l)
    for (int s = 0; s <= 240; ++s) ASSERT_EQ(to_rgb({0, l, s}), to_rgb({240, l, s})) << l << "," << s;
}

// Largest per-component loss of RGB -> HLS -> RGB over the cube, found once
// by this test: the 0..240 scale has fewer hue steps than the cube.
constexpr int kLargestRoundTripLoss = 8;

TEST(Hls, WholeCubeProperties) {
  int worst = 0;
  for (int r = 0; r < 256; ++r)
    for (int g = 0; g < 256; ++g)
      for (int b = 0, previous_l = 0; b < 256; ++b) {
        Triple hls = to_hls(r, g, b);
        ASSERT_TRUE(hls[0] < 240 && hls[1] <= 240 && hls[2] <= 240) << r << "," << g << "," << b;
        ASSERT_GE(hls[1], previous_l) << r << "," << g << "," << b;  // lightness grows
        previous_l = hls[1];
        Triple back = to_rgb(hls);
        if (r == g && g == b) {
          ASSERT_TRUE(hls[0] == 0 && hls[2] == 0) << r;
          ASSERT_TRUE(back[0] == back[1] && back[1] == back[2]) << r;
        }
        worst = std::max({worst, std::abs(back[0] - r), std::abs(back[1] - g), std::abs(back[2] - b)});
      }
  EXPECT_EQ(worst, kLargestRoundTripLoss);
}

}  // namespace
