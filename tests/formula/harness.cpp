#include "harness.h"

#include <dirent.h>
#include <fstream>
#include <sstream>

namespace harness {

Signals g_signals;

std::int16_t get_name(const char* name, std::int16_t type) {
  static const char* floats[] = {"a", "b", "c", "t"};
  static const char* bools[] = {"p", "q", "r"};
  if (type == 1)
    for (int i = 0; i < 4; ++i)
      if (std::strcmp(name, floats[i]) == 0) return static_cast<std::int16_t>(1 + i);
  if (type == 4)
    for (int i = 0; i < 3; ++i)
      if (std::strcmp(name, bools[i]) == 0) return static_cast<std::int16_t>(10 + i);
  return -1;
}

float bool_bits(std::int16_t b) {
  std::uint32_t u = static_cast<std::uint16_t>(b);
  float f;
  std::memcpy(&f, &u, 4);
  return f;
}

std::uint32_t bits(float f) {
  std::uint32_t u;
  std::memcpy(&u, &f, 4);
  return u;
}

float get_value(std::int16_t index, std::int16_t type) {
  ++g_signals.value_calls;
  if (index < 0 || index >= 16) return 0.0f;
  return type == 4 ? bool_bits(g_signals.b[index]) : g_signals.f[index];
}

std::vector<int> Formula::ops() const {
  std::vector<int> v;
  for (const codeentry* e = code; e->op != op_null; ++e) v.push_back(e->op);
  return v;
}

void set_default_signals() {
  g_signals = Signals{};
  g_signals.f[1] = 1.5f;
  g_signals.f[2] = -2.25f;
  g_signals.f[3] = 4.0f;
  g_signals.f[4] = 10.0f;
  g_signals.b[10] = 1;
  g_signals.b[11] = 0;
  g_signals.b[12] = 1;
}

std::vector<std::string> corpus() {
  std::vector<std::string> texts;
  std::string dir = std::string(VELTRA_TEST_DATA) + "/../fuzz/corpus/formula";
  if (DIR* d = opendir(dir.c_str())) {
    while (dirent* e = readdir(d)) {
      if (e->d_name[0] == '.') continue;
      std::ifstream in(dir + "/" + e->d_name, std::ios::binary);
      std::stringstream s;
      s << in.rdbuf();
      texts.push_back(s.str());
    }
    closedir(d);
  }
  return texts;
}

}  // namespace harness
