// The floor of per-row evaluation under the value-callback contract:
// formulas of the benchmark set written by hand as C++ functions that keep
// the whole contract, the least any evaluator of the stored code must do.
// Each one asks the value callback, through the function pointer it is
// given, once per variable instruction and in code order (both values of a
// conditional included), and rounds every operation to single precision
// with the engine's own value rules. The benchmark checks that each gives
// eval's bits on every row before it times them.
#pragma once

#include <cstring>

#include "formula/value_rules.h"
#include "veltra/ctlcalc.h"

namespace formula_floor {

using namespace vt::formula;

// Indices as the benchmark's name callback gives them: s0 to s9 are 0 to
// 9 (float), k0 to k2 are 10 to 12 (Boolean).
inline float s(ctlcalc_getvalue get, int i) { return get(static_cast<std::int16_t>(i), 1); }
inline bool k(ctlcalc_getvalue get, int i) { return truth(get(static_cast<std::int16_t>(10 + i), 4)); }

struct Floor {
  const char* formula;
  float (*eval)(ctlcalc_getvalue get);
};

inline const Floor kFloors[] = {
    {"s0 * 2", [](ctlcalc_getvalue g) { return limit(s(g, 0) * 2.0f); }},
    {"s0 + s1 * s2",
     [](ctlcalc_getvalue g) {
       float a = s(g, 0), b = s(g, 1), c = s(g, 2);
       return limit(a + limit(b * c));
     }},
    {"(s0 - s1) / (s2 + 4)",
     [](ctlcalc_getvalue g) {
       float a = s(g, 0), b = s(g, 1), c = s(g, 2);
       return rule_div(limit(a - b), limit(c + 4.0f));
     }},
    {"s0 + s1 + s2 + s3 + s4 + s5 + s6 + s7 + s8 + s9",
     [](ctlcalc_getvalue g) {
       float v[10];
       for (int i = 0; i < 10; ++i) v[i] = s(g, i);
       float acc = v[0];
       for (int i = 1; i < 10; ++i) acc = limit(acc + v[i]);
       return acc;
     }},
    {"s0*s1 - s2*s3 + s4*s5 - s6*s7 + s8*s9",
     [](ctlcalc_getvalue g) {
       float v[10];
       for (int i = 0; i < 10; ++i) v[i] = s(g, i);
       float acc = limit(limit(v[0] * v[1]) - limit(v[2] * v[3]));
       acc = limit(acc + limit(v[4] * v[5]));
       acc = limit(acc - limit(v[6] * v[7]));
       return limit(acc + limit(v[8] * v[9]));
     }},
    {"s0^2 + s1^2",
     [](ctlcalc_getvalue g) {
       float a = s(g, 0), b = s(g, 1);
       return limit(rule_square(a) + rule_square(b));
     }},
    {"sqrt(s0^2 + s1^2)",
     [](ctlcalc_getvalue g) {
       float a = s(g, 0), b = s(g, 1);
       return fn_sqrt(limit(rule_square(a) + rule_square(b)));
     }},
    {"sin(s0) * cos(s1) + tan(s2 / 10)",
     [](ctlcalc_getvalue g) {
       float a = s(g, 0), b = s(g, 1), c = s(g, 2);
       return limit(limit(fn_sin(a) * fn_cos(b)) + fn_tan(rule_div(c, 10.0f)));
     }},
    {"min(s0, s1) + max(s2, s3)",
     [](ctlcalc_getvalue g) {
       float a = s(g, 0), b = s(g, 1), c = s(g, 2), d = s(g, 3);
       return limit((b < a ? b : a) + (d < c ? c : d));
     }},
    {"s0 > s1 ? s2 : s3",
     [](ctlcalc_getvalue g) {
       float a = s(g, 0), b = s(g, 1), c = s(g, 2), d = s(g, 3);
       return a > b ? c : d;
     }},
    {"k0 and k1 or not k2",
     [](ctlcalc_getvalue g) {
       bool a = k(g, 0), b = k(g, 1), c = k(g, 2);
       return a && (b || !c) ? 1.0f : 0.0f;
     }},
    {"s0 > 10 und s1 < 5 oder k0",
     [](ctlcalc_getvalue g) {
       float a = s(g, 0), b = s(g, 1);
       bool c = k(g, 0);
       return a > 10.0f && (b < 5.0f || c) ? 1.0f : 0.0f;
     }},
    {"k0 ? s0 * 2 : s1 / 2",
     [](ctlcalc_getvalue g) {
       bool c = k(g, 0);
       float a = s(g, 0), b = s(g, 1);
       return c ? limit(a * 2.0f) : rule_div(b, 2.0f);
     }},
    {"sqr(s0) + 3 * s1 - 2",
     [](ctlcalc_getvalue g) {
       float a = s(g, 0), b = s(g, 1);
       return limit(limit(rule_square(a) + limit(3.0f * b)) - 2.0f);
     }},
};

// The hand-written function of a formula, or null.
inline float (*find(const char* formula))(ctlcalc_getvalue) {
  for (const Floor& f : kFloors)
    if (std::strcmp(f.formula, formula) == 0) return f.eval;
  return nullptr;
}

}  // namespace formula_floor
