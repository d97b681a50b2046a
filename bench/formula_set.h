// The fixed set of realistic formulas that the benchmark times and the
// tests evaluate both ways (handlers one by one and the fast loop). Float
// signals s0 to s9 and Boolean signals k0 to k2; `peer` is the same formula
// in the peer parser's syntax, where "mod", "int", "rad", "deg" and "sqr"
// are custom functions and the Boolean operators are "&&", "||", "!" with
// explicit parentheses (its "&&" binds tighter than "||"; ours the other way).
#pragma once

namespace formula_set {

struct Entry {
  const char* ours;
  const char* peer;
};

constexpr int kFloatSignals = 10;
constexpr int kBoolSignals = 3;
constexpr const char* kFloatNames[kFloatSignals] = {"s0", "s1", "s2", "s3", "s4",
                                                    "s5", "s6", "s7", "s8", "s9"};
constexpr const char* kBoolNames[kBoolSignals] = {"k0", "k1", "k2"};

constexpr Entry kFormulas[] = {
    {"s0 * 2", "s0 * 2"},
    {"s0 + s1 * s2", "s0 + s1 * s2"},
    {"(s0 - s1) / (s2 + 4)", "(s0 - s1) / (s2 + 4)"},
    {"s0 + s1 + s2 + s3 + s4 + s5 + s6 + s7 + s8 + s9",
     "s0 + s1 + s2 + s3 + s4 + s5 + s6 + s7 + s8 + s9"},
    {"s0*s1 - s2*s3 + s4*s5 - s6*s7 + s8*s9", "s0*s1 - s2*s3 + s4*s5 - s6*s7 + s8*s9"},
    {"s0^2 + s1^2", "s0^2 + s1^2"},
    {"sqrt(s0^2 + s1^2)", "sqrt(s0^2 + s1^2)"},
    {"sin(s0) * cos(s1) + tan(s2 / 10)", "sin(s0) * cos(s1) + tan(s2 / 10)"},
    {"exp(-s0 / 10) * ln(abs(s1) + 1)", "exp(-s0 / 10) * ln(abs(s1) + 1)"},
    {"atan(s0) + asin(s1 / 100) + acos(s2 / 100)", "atan(s0) + asin(s1 / 100) + acos(s2 / 100)"},
    {"sinh(s0 / 10) - cosh(s1 / 10) + tanh(s2)", "sinh(s0 / 10) - cosh(s1 / 10) + tanh(s2)"},
    {"abs(s0) + sgn(s1) * int(s2)", "abs(s0) + sign(s1) * int(s2)"},
    {"min(s0, s1) + max(s2, s3)", "min(s0, s1) + max(s2, s3)"},
    {"mod(s0, 7) + int(s1 / 3)", "mod(s0, 7) + int(s1 / 3)"},
    {"rad(s0) + deg(s1 / 100)", "rad(s0) + deg(s1 / 100)"},
    {"s0 ^ 1.5 + s1 ^ 3", "s0 ^ 1.5 + s1 ^ 3"},
    {"s0 > s1 ? s2 : s3", "s0 > s1 ? s2 : s3"},
    {"s0 > 0 ? (s1 > 0 ? s2 : s3) : (s4 < s5 ? s6 : s7)",
     "s0 > 0 ? (s1 > 0 ? s2 : s3) : (s4 < s5 ? s6 : s7)"},
    {"k0 and k1 or not k2", "k0 && (k1 || !k2)"},
    {"k0 und (k1 oder nicht k2)", "k0 && (k1 || !k2)"},
    {"s0 > 10 und s1 < 5 oder k0", "(s0 > 10) && ((s1 < 5) || k0)"},
    {"k0 ? s0 * 2 : s1 / 2", "k0 ? s0 * 2 : s1 / 2"},
    {"(s0 + s1) * (s2 - s3) / (s4 + 100) - s5 * 0.5", "(s0 + s1) * (s2 - s3) / (s4 + 100) - s5 * 0.5"},
    {"sqr(s0) + 3 * s1 - 2", "sqr(s0) + 3 * s1 - 2"},
    {"s0 * pi / 180 + e", "s0 * _pi / 180 + _e"},
    {"s3 >= s4 & !(s5 == s6) ^ k2", "(s3 >= s4) && ((s5 != s6) != k2)"},
};

// Rows of signal values; the Boolean signals are 0 or 1. s0 stays positive
// (it is raised to 1.5) and the arcus arguments stay inside [-1, 1].
constexpr int kRows = 8;
constexpr float kFloatRows[kRows][kFloatSignals] = {
    {3.5f, 2.0f, -1.25f, 7.0f, 0.5f, 12.0f, -3.0f, 4.75f, 9.0f, -6.5f},
    {12.25f, -4.5f, 8.0f, -2.0f, 3.0f, 3.0f, 1.5f, -7.25f, 0.125f, 42.0f},
    {0.75f, 5.0f, 33.0f, 1.0f, -8.0f, 2.5f, 2.5f, 6.0f, -1.0f, 3.25f},
    {25.0f, 25.0f, -50.0f, 0.0f, 14.0f, -9.5f, 11.0f, 0.0f, 2.0f, 8.0f},
    {1.0f, -0.5f, 0.25f, 64.0f, -32.0f, 7.5f, -7.5f, 100.0f, -0.75f, 1.5f},
    {47.5f, 19.0f, -72.0f, -11.0f, 6.0f, 0.0f, 5.0f, 2.25f, 13.0f, -17.0f},
    {0.0625f, -15.0f, 9.75f, 4.0f, 4.0f, 1.25f, -1.25f, -9.0f, 21.0f, 0.5f},
    {8.0f, 0.0f, -0.5f, -3.5f, 99.0f, 16.0f, 16.0f, 3.0f, -4.0f, 27.0f},
};
constexpr float kBoolRows[kRows][kBoolSignals] = {
    {1, 0, 1}, {0, 1, 0}, {1, 1, 0}, {0, 0, 1}, {1, 0, 0}, {1, 1, 1}, {0, 1, 1}, {0, 0, 0},
};

}  // namespace formula_set
