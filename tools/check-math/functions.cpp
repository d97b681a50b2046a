#include "functions.h"

#include <cmath>

#include "math/crmath.h"

namespace checkmath {
namespace {

// Wrappers so that each table entry names one plain function of the C
// library (std:: overload sets cannot be taken by address portably).
double libc_log(double x) { return std::log(x); }
double libc_exp(double x) { return std::exp(x); }
double libc_sqrt(double x) { return std::sqrt(x); }
double libc_sinh(double x) { return std::sinh(x); }
double libc_cosh(double x) { return std::cosh(x); }
double libc_tanh(double x) { return std::tanh(x); }
double libc_sin(double x) { return std::sin(x); }
double libc_cos(double x) { return std::cos(x); }
double libc_tan(double x) { return std::tan(x); }
double libc_atan(double x) { return std::atan(x); }
double libc_asin(double x) { return std::asin(x); }
double libc_acos(double x) { return std::acos(x); }
double libc_pow(double x, double y) { return std::pow(x, y); }

const Binary kPow = {"pow", vt::math::cr_pow, vt::math::cr_pow_rows, libc_pow, mpfr_pow};

}  // namespace

const Unary kUnary[] = {
    {"log", vt::math::cr_log, vt::math::cr_log_rows, libc_log, mpfr_log},
    {"exp", vt::math::cr_exp, vt::math::cr_exp_rows, libc_exp, mpfr_exp},
    {"sqrt", vt::math::cr_sqrt, vt::math::cr_sqrt_rows, libc_sqrt, mpfr_sqrt},
    {"sinh", vt::math::cr_sinh, vt::math::cr_sinh_rows, libc_sinh, mpfr_sinh},
    {"cosh", vt::math::cr_cosh, vt::math::cr_cosh_rows, libc_cosh, mpfr_cosh},
    {"tanh", vt::math::cr_tanh, vt::math::cr_tanh_rows, libc_tanh, mpfr_tanh},
    {"sin", vt::math::cr_sin, vt::math::cr_sin_rows, libc_sin, mpfr_sin},
    {"cos", vt::math::cr_cos, vt::math::cr_cos_rows, libc_cos, mpfr_cos},
    {"tan", vt::math::cr_tan, vt::math::cr_tan_rows, libc_tan, mpfr_tan},
    {"atan", vt::math::cr_atan, vt::math::cr_atan_rows, libc_atan, mpfr_atan},
    {"asin", vt::math::cr_asin, vt::math::cr_asin_rows, libc_asin, mpfr_asin},
    {"acos", vt::math::cr_acos, vt::math::cr_acos_rows, libc_acos, mpfr_acos},
};
const int kUnaryCount = sizeof kUnary / sizeof kUnary[0];

const Unary* find_unary(const std::string& name) {
  const std::string n = name == "ln" ? "log" : name;
  for (const Unary& u : kUnary)
    if (n == u.name) return &u;
  return nullptr;
}

const Binary* find_binary(const std::string& name) {
  return name == "pow" || name == "^" ? &kPow : nullptr;
}

std::string all_names() {
  std::string s;
  for (const Unary& u : kUnary) s += std::string(u.name) + " ";
  return s + "pow";
}

}  // namespace checkmath
