// The library's string table against an independent copy of its texts in
// code page 1252 bytes (data/strings.cp1252.txt: id, tab, text; backslash-n
// a line feed). Under Windows the texts come from the compiled resources
// through LoadStringA, natively from the library's own table.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <string>

#include "port/strings.h"

namespace {

constexpr unsigned kProbedIds = 8192;  // beyond the highest id of the table

std::map<unsigned, std::string> expected_table() {
  std::ifstream in(VELTRA_TEST_DATA "/resources/data/strings.cp1252.txt", std::ios::binary);
  std::map<unsigned, std::string> table;
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::string text = line.substr(line.find('\t') + 1);
    for (size_t at; (at = text.find("\\n")) != std::string::npos;) text.replace(at, 2, "\n");
    table[static_cast<unsigned>(std::stoul(line))] = text;
  }
  return table;
}

// Loads into a buffer of `size` bytes followed by a guard byte.
std::string load(unsigned id, int size, int* count) {
  std::string buf(static_cast<size_t>(size) + 1, '\x7f');
  *count = vt::port::load_string(id, &buf[0], size);
  EXPECT_EQ('\x7f', buf.back()) << "wrote past the buffer, id " << id;
  return buf.c_str();
}

// Every text whole, cut to a short buffer, and no id beyond the list.
TEST(StringTable, EveryTextByteForByteAndNoOthers) {
  const auto table = expected_table();
  ASSERT_EQ(74u, table.size());
  for (unsigned id = 0; id < kProbedIds; ++id) {
    int n = -1;
    auto it = table.find(id);
    if (it == table.end()) {
      ASSERT_EQ("", load(id, 16, &n));
      ASSERT_EQ(0, n) << "unexpected string id " << id;
      continue;
    }
    const std::string& text = it->second;
    const int len = static_cast<int>(text.size());
    EXPECT_EQ(text, load(id, 4096, &n)) << id;
    EXPECT_EQ(len, n);
    for (int size : {len, 2, 1}) {
      EXPECT_EQ(text.substr(0, static_cast<size_t>(size - 1)), load(id, size, &n)) << id << " size " << size;
      EXPECT_EQ(size - 1, n);
    }
  }
}

}  // namespace
