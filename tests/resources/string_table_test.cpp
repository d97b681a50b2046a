// The library's string table against a copy of its texts kept as data
// (tests/resources/data/strings.cp1252.txt, code page 1252 bytes). Under
// Windows the texts come from the compiled resources through LoadStringA; in
// the native build from the library's own table. Both must give the same
// bytes.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <string>

#include "port/strings.h"

namespace {

constexpr int kLoadBuffer = 4096;     // longer than any text of the table
constexpr unsigned kHighestId = 8192; // ids above the table's range are probed up to here

std::map<unsigned, std::string> expected_table() {
  std::ifstream in(VELTRA_TEST_DATA "/resources/data/strings.cp1252.txt", std::ios::binary);
  std::map<unsigned, std::string> table;
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    size_t tab = line.find('\t');
    std::string text;
    for (size_t i = tab + 1; i < line.size(); ++i) {
      if (line[i] == '\\' && i + 1 < line.size() && line[i + 1] == 'n') {
        text += '\n';
        ++i;
      } else {
        text += line[i];
      }
    }
    table[static_cast<unsigned>(std::stoul(line.substr(0, tab)))] = text;
  }
  return table;
}

std::string load(unsigned id, int size, int* count) {
  std::string buf(static_cast<size_t>(size) + 1, '\x7f');  // last byte: guard
  *count = vt::port::load_string(id, &buf[0], size);
  EXPECT_EQ('\x7f', buf[static_cast<size_t>(size)]) << "wrote past the buffer for id " << id;
  return buf.substr(0, buf.find('\0'));
}

TEST(StringTable, EveryTextComesBackByteForByte) {
  auto table = expected_table();
  ASSERT_GE(table.size(), 70u);
  for (const auto& [id, text] : table) {
    int n = -1;
    EXPECT_EQ(text, load(id, kLoadBuffer, &n)) << "id " << id;
    EXPECT_EQ(static_cast<int>(text.size()), n) << "id " << id;
  }
}

TEST(StringTable, ShortBufferCutsTheTextAndTerminates) {
  for (const auto& [id, text] : expected_table()) {
    const int len = static_cast<int>(text.size());
    for (int size : {len, len > 1 ? 2 : 1}) {
      int n = -1;
      std::string got = load(id, size, &n);
      EXPECT_EQ(text.substr(0, static_cast<size_t>(size - 1)), got) << "id " << id << " size " << size;
      EXPECT_EQ(size - 1, n) << "id " << id << " size " << size;
    }
  }
}

TEST(StringTable, NoOtherIdsExist) {
  auto table = expected_table();
  for (unsigned id = 0; id < kHighestId; ++id) {
    if (table.count(id)) continue;
    int n = -1;
    EXPECT_EQ("", load(id, 16, &n)) << "id " << id;
    ASSERT_EQ(0, n) << "unexpected string id " << id;
  }
}

}  // namespace
