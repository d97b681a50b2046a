// Background printing through the test printer. Each job writes a
// PostScript file into the print-out folder; check_output.sh reads those
// back (pages, orientation, text) after this program has run.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "test_printer.h"
#include "veltra/print.h"

using namespace vt::print::test;

namespace {

std::string numbered_lines(int n, const char* word) {
  std::string t;
  for (int i = 1; i <= n; ++i) t += std::string(word) + " " + std::to_string(i) + "\n";
  return t;
}

class PrintFileJob : public PrinterTest {
 protected:
  void SetUp() override {
    PrinterTest::SetUp();
    font_.lfHeight = -13;
    lstrcpyA(font_.lfFaceName, "Courier New");
  }

  // Prints `text` as <name>.txt into <name>.ps (answering the job's dialogs
  // unless `target` does); returns PrintFile's result once the job has ended.
  int print(const std::string& name, const std::string& text, uint16_t flags, PrintTarget* target = nullptr,
            const std::string& title = "Messwerte") {
    std::string in = stage_file(name + ".txt", text);
    out_ = print_out_dir() + "\\" + name + ".ps";
    DeleteFileA(out_.c_str());
    std::optional<PrintTarget> own;
    if (!target) own.emplace(out_);
    SetWindowTextA(owner_, title.c_str());
    PrintLayout layout{{1.5f, 1.5f, 1.5f, 1.5f}, flags, {}};
    int r = PrintFile(owner_, &pd_, in.c_str(), &font_, &layout, 1);
    EXPECT_TRUE(pump_until_gone(in)) << name << ": the file is consumed";
    // The worker ends right after deleting the file; let it finish.
    for (int i = 0; i < 100 && FindWindowA("#32770", "Drucken"); ++i) Sleep(20);
    Sleep(200);
    return r;
  }

  // Pumps this thread (the job's owner) until the file is gone.
  static bool pump_until_gone(const std::string& path) {
    for (int i = 0; i < 3000; ++i, Sleep(20)) {
      MSG m;
      while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
      if (!file_exists(path)) return true;
    }
    return false;
  }

  LOGFONTA font_{};
  std::string out_;
};

}  // namespace

TEST_F(PrintFileJob, ExampleFiles) {
  const uint16_t table_flags = PL_PAGENUMBERS | PL_JOBNAME | PL_TITLE | PL_FRAME;
  struct Case {
    const char* name;
    std::string text;
    uint16_t flags;
  } cases[] = {
      {"table", data_text("table.txt"), table_flags},
      {"table-long", data_text("table-long.txt"), table_flags},
      {"table-wide", data_text("table-wide.txt"), PL_PAGENUMBERS},
      {"plain", data_text("plain.txt"), PL_PAGENUMBERS},
      {"orient-30", numbered_lines(29, "kurz") + std::string(65, 'L') + "\n" + numbered_lines(5, "x"),
       PL_AUTOORIENT | PL_PLAINTEXT},
      {"orient-31", numbered_lines(30, "kurz") + std::string(120, 'L') + "\n", PL_AUTOORIENT | PL_PLAINTEXT},
      {"empty", "", PL_PAGENUMBERS},
      {"junk", std::string("\x01\x02\xff\x00\x7f\x80\r\r\n\x1b[2J\t\t&&&", 21) + std::string(3000, '\x9f'), 0},
      {"long-line", std::string(5000, 'w') + "\nnever printed\n", PL_PAGENUMBERS},
      {"many-columns", data_text("many-columns.txt"), PL_PAGENUMBERS},
      {"long-field", "Lang\n\nName  Text\nx     " + std::string(400, 'f') + "\n", PL_PAGENUMBERS},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(print(c.name, c.text, c.flags), 1) << c.name;
    EXPECT_TRUE(file_exists(out_)) << c.name << ": printed to " << out_;
  }
}

TEST_F(PrintFileJob, LongJobNameAndAbbrechen) {
  {  // its watcher must be gone before the next job's dialogs appear
    // A title longer than the progress line (its shortening there is checked
    // on GetPrinterDC) prints whole in the page header.
    PrintTarget target(print_out_dir() + "\\jobname.ps");
    EXPECT_EQ(print("jobname", data_text("table.txt"), PL_JOBNAME, &target, std::string(250, 'T')), 1);
    EXPECT_TRUE(file_exists(out_)) << target.captions();
  }
  // Abbrechen: the job stops, the file is still consumed, no spooler message.
  PrintTarget cancel(print_out_dir() + "\\cancelled.ps", true);
  EXPECT_EQ(print("cancelled", numbered_lines(3000, "Zeile"), PL_PAGENUMBERS, &cancel), 1);
  EXPECT_TRUE(cancel.messages().empty()) << cancel.captions();
}

TEST_F(PrintFileJob, JobsThatEndWithAMessage) {
  const std::string missing = print_out_dir() + "\\missing.txt";
  struct Case {
    std::string file;
    PrintLayout layout;
    int result;
    std::string message;
  } cases[] = {
      {missing, {{1, 1, 1, 1}, 0, {}}, 0,
       "Die Datei '" + missing + "' kann nicht ge\xF6" "ffnet werden. Die Operation wird abgebrochen."},
      {stage_file("nomargin.txt", "text\n"), {{15, 15, 1, 1}, 0, {}}, 1,  // after the progress dialog
       "Seitenr\xE4nder lassen zu wenig"},
  };
  for (const Case& c : cases) {
    PrintTarget target("unused");
    EXPECT_EQ(PrintFile(owner_, &pd_, c.file.c_str(), &font_, &c.layout, 1), c.result);
    ASSERT_TRUE(pump_until_seen(target.watcher(), c.result + 1));
    EXPECT_NE(target.messages().at(0).find(c.message), std::string::npos) << target.messages().at(0);
    EXPECT_TRUE(pump_until_gone(c.file));
  }
  PrintLayout layout{{1, 1, 1, 1}, 0, {}};
  EXPECT_EQ(PrintFile(owner_, &pd_, missing.c_str(), &font_, &layout, 0), 0);
  EXPECT_EQ(PrintFile(owner_, &pd_, nullptr, &font_, &layout, 0), 0);
  // A name too long for the job: the file whose name is its start stays.
  const std::string prefix = stage_file(std::string(254 - print_out_dir().size(), 'p'), "x");
  ASSERT_EQ(prefix.size(), 255u);
  EXPECT_EQ(PrintFile(owner_, &pd_, (prefix + "qq").c_str(), &font_, &layout, 0), 0);
  EXPECT_TRUE(file_exists(prefix));
  DeleteFileA(prefix.c_str());
}
