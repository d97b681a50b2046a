// Colour model conversion: the named colours, then properties over the whole
// RGB cube that hold whatever the formula's details (grey stays grey, the
// hue of the primary and secondary colours, lightness ordering, the round
// trip's largest loss).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "veltra/codec.h"

namespace {

struct Rgb {
  int r, g, b;
};
struct Hls {
  int h, l, s;
};

Hls to_hls(int r, int g, int b) {
  uint16_t h = 999, l = 999, s = 999;
  RGBtoHLS(static_cast<uint16_t>(r), static_cast<uint16_t>(g), static_cast<uint16_t>(b), &h,
           &l, &s);
  return {h, l, s};
}

Rgb to_rgb(int h, int l, int s) {
  uint16_t r = 999, g = 999, b = 999;
  HLStoRGB(static_cast<uint16_t>(h), static_cast<uint16_t>(l), static_cast<uint16_t>(s), &r,
           &g, &b);
  return {r, g, b};
}

TEST(Hls, NamedColours) {
  struct Case {
    Rgb rgb;
    Hls hls;
    Rgb back;
  } cases[] = {
      {{255, 0, 0}, {80, 120, 240}, {255, 0, 0}},       // red
      {{0, 255, 0}, {160, 120, 240}, {0, 255, 0}},      // green
      {{0, 0, 255}, {0, 120, 240}, {0, 0, 255}},        // blue
      {{255, 255, 0}, {120, 120, 240}, {255, 255, 0}},  // yellow
      {{255, 255, 255}, {0, 240, 0}, {255, 255, 255}},  // white
      {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}},                // black
      {{128, 128, 128}, {0, 120, 0}, {127, 127, 127}},  // grey loses a step
  };
  for (const auto& c : cases) {
    Hls hls = to_hls(c.rgb.r, c.rgb.g, c.rgb.b);
    EXPECT_EQ(hls.h, c.hls.h) << c.rgb.r << "," << c.rgb.g << "," << c.rgb.b;
    EXPECT_EQ(hls.l, c.hls.l) << c.rgb.r << "," << c.rgb.g << "," << c.rgb.b;
    EXPECT_EQ(hls.s, c.hls.s) << c.rgb.r << "," << c.rgb.g << "," << c.rgb.b;
    Rgb back = to_rgb(hls.h, hls.l, hls.s);
    EXPECT_EQ(back.r, c.back.r);
    EXPECT_EQ(back.g, c.back.g);
    EXPECT_EQ(back.b, c.back.b);
  }
}

TEST(Hls, HuesOfPrimaryAndSecondaryColoursAtEveryIntensity) {
  for (int k = 1; k <= 255; ++k) {
    EXPECT_EQ(to_hls(k, 0, 0).h, 80) << k;   // red
    EXPECT_EQ(to_hls(k, k, 0).h, 120) << k;  // yellow
    EXPECT_EQ(to_hls(0, k, 0).h, 160) << k;  // green
    EXPECT_EQ(to_hls(0, k, k).h, 200) << k;  // cyan
    EXPECT_EQ(to_hls(0, 0, k).h, 0) << k;    // blue
    EXPECT_EQ(to_hls(k, 0, k).h, 40) << k;   // magenta
  }
}

TEST(Hls, HueZeroAndFullCircleAgree) {
  for (int l = 0; l <= 240; ++l)
    for (int s = 0; s <= 240; ++s) {
      Rgb a = to_rgb(0, l, s), b = to_rgb(240, l, s);
      ASSERT_TRUE(a.r == b.r && a.g == b.g && a.b == b.b) << l << "," << s;
      ASSERT_TRUE(a.r <= 255 && a.g <= 255 && a.b <= 255);
    }
}

// Largest per-component loss of RGB -> HLS -> RGB over the cube, found once
// by this test: the 0..240 scale has fewer hue steps than the cube.
constexpr int kLargestRoundTripLoss = 8;

TEST(Hls, WholeCubeProperties) {
  int worst = 0;
  for (int r = 0; r < 256; ++r)
    for (int g = 0; g < 256; ++g) {
      int previous_l = -1;
      for (int b = 0; b < 256; ++b) {
        Hls hls = to_hls(r, g, b);
        ASSERT_TRUE(hls.h < 240 && hls.l <= 240 && hls.s <= 240) << r << "," << g << "," << b;
        // Lightness grows with every component.
        ASSERT_GE(hls.l, previous_l) << r << "," << g << "," << b;
        previous_l = hls.l;
        Rgb back = to_rgb(hls.h, hls.l, hls.s);
        if (r == g && g == b) {
          ASSERT_TRUE(hls.h == 0 && hls.s == 0) << r;
          ASSERT_TRUE(back.r == back.g && back.g == back.b) << r;
        }
        worst = std::max({worst, std::abs(back.r - r), std::abs(back.g - g),
                          std::abs(back.b - b)});
      }
    }
  EXPECT_EQ(worst, kLargestRoundTripLoss);
}

TEST(Hls, OutOfRangeInputAndNullOutputs) {
  Hls big = to_hls(300, 0, 0), red = to_hls(255, 0, 0);
  EXPECT_TRUE(big.h == red.h && big.l == red.l && big.s == red.s);
  Rgb wrapped = to_rgb(320, 120, 240), base = to_rgb(80, 120, 240);
  EXPECT_TRUE(wrapped.r == base.r && wrapped.g == base.g && wrapped.b == base.b);
  Rgb over = to_rgb(80, 999, 999), white = to_rgb(80, 240, 240);
  EXPECT_TRUE(over.r == white.r && over.g == white.g && over.b == white.b);
  RGBtoHLS(1, 2, 3, nullptr, nullptr, nullptr);
  HLStoRGB(1, 2, 3, nullptr, nullptr, nullptr);
}

}  // namespace
