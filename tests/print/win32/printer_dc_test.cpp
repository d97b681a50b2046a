// Printer DCs, margins and the progress dialog on the installed test printer.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "print/win32/gdi_canvas.h"
#include "print/wrap.h"
#include "resources/resource_ids.h"
#include "test_printer.h"
#include "veltra/print.h"

using namespace vt::print::test;

using PrinterDC = PrinterTest;

// The margin rule is tested on the portable page box; here the device's
// size and resolution reach it, and a failure shows its message only when
// asked.
TEST_F(PrinterDC, MarginsOnTheDevice) {
  HDC dc = GetPrinterDC(nullptr, &pd_, "Rand", 0);
  ASSERT_NE(dc, nullptr);
  ASSERT_EQ(GetDeviceCaps(dc, LOGPIXELSX), 300);
  const int w = GetDeviceCaps(dc, HORZRES), h = GetDeviceCaps(dc, VERTRES);
  struct Case {
    float m[4];
    int16_t show, result;
    std::vector<int32_t> box;
  } cases[] = {{{1.0f, 2.0f, 1.5f, 0.5f}, 1, 1, {118, w - 236, 177, h - 59}},
               {{1.0f, 40.0f, 0, 0}, 1, 0, {118, w - 4724, 0, h}},
               {{1.0f, 40.0f, 0, 0}, 0, 0, {118, w - 4724, 0, h}}};
  for (const Case& c : cases) {
    PrintTarget answers("unused");
    int32_t l = -1, r = -1, t = -1, b = -1;
    EXPECT_EQ(PrtCalcMargins(dc, c.m, &l, &r, &t, &b, c.show), c.result);
    EXPECT_EQ(std::vector<int32_t>({l, r, t, b}), c.box);
    if (c.show && !c.result) {
      ASSERT_TRUE(pump_until_seen(answers.watcher(), 1));
      EXPECT_NE(answers.messages().at(0).find("Seitenr\xE4nder lassen zu wenig"), std::string::npos);
    } else {
      EXPECT_EQ(answers.watcher().count(), 0u);
    }
  }
  EXPECT_EQ(PrtCalcMargins(dc, nullptr, nullptr, nullptr, nullptr, nullptr, 1), 0);
  DeletePrinterDC(dc, nullptr);
}

TEST_F(PrinterDC, OrientationAndProgressDialog) {
  PrintTarget answers("unused");
  HDC portrait = GetPrinterDC(nullptr, &pd_, "Hoch", 0);
  HDC landscape = GetPrinterDC(nullptr, &pd_, "Quer", 2);
  ASSERT_TRUE(portrait && landscape);
  EXPECT_LT(GetDeviceCaps(portrait, HORZRES), GetDeviceCaps(portrait, VERTRES));
  EXPECT_GT(GetDeviceCaps(landscape, HORZRES), GetDeviceCaps(landscape, VERTRES));
  auto* dm = static_cast<DEVMODEA*>(GlobalLock(pd_.hDevMode));
  EXPECT_EQ(dm->dmOrientation, DMORIENT_PORTRAIT);  // changed for the DC only
  GlobalUnlock(pd_.hDevMode);
  DeletePrinterDC(portrait, nullptr);
  DeletePrinterDC(landscape, nullptr);
  EXPECT_EQ(answers.watcher().count(), 0u);  // no owner: no dialog

  // With an owner the dialog shows the job; a long name ends in "...".
  struct Case {
    std::string job, line;
  } cases[] = {
      {"Messwerte", "Messwerte  wird gedruckt..."},
      {std::string(145, 'K'), std::string(145, 'K') + "  wird gedruckt..."},
      {std::string(200, 'J'), std::string(142, 'J') + "...  wird gedruckt..."},
  };
  for (const Case& c : cases) {
    PrintTarget seen("unused");
    HDC dc = GetPrinterDC(owner_, &pd_, c.job.c_str(), 0);
    ASSERT_NE(dc, nullptr);
    ASSERT_TRUE(pump_until_seen(seen.watcher(), 1));
    EXPECT_EQ(seen.progress_line(), c.line);
    ASSERT_NE(seen.watcher().seen()[0].control(IDC_PRINT_CANCEL), nullptr);
    EXPECT_EQ(seen.watcher().seen()[0].control(IDC_PRINT_CANCEL)->text, "Abbrechen");
    EXPECT_EQ(PrinterAbortProc(dc, 0), TRUE);
    DeletePrinterDC(dc, nullptr);
  }
}

TEST_F(PrinterDC, DriverThatDoesNotAnswer) {
  PRINTDLGA missing = missing_printer();
  PrintTarget answers("unused");
  EXPECT_EQ(GetPrinterDC(owner_, &missing, "Weg", 0), nullptr);
  ASSERT_TRUE(pump_until_seen(answers.watcher(), 1));
  EXPECT_EQ(answers.messages().at(0), "Ger\xE4tetreiber antwortet nicht.");
  EXPECT_EQ(answers.watcher().seen()[0].icon_flag(), unsigned(MB_ICONHAND));
  pd_.Flags |= PD_PRINTTOFILE;  // print-to-file settings give no DC, silently
  EXPECT_EQ(GetPrinterDC(owner_, &pd_, "Datei", 0), nullptr);
  EXPECT_EQ(answers.watcher().count(), 1u);
  free_settings(missing);
}

TEST_F(PrinterDC, AbbrechenStopsTheAbortProcedure) {
  PrintTarget answers("unused", true);
  HDC dc = GetPrinterDC(owner_, &pd_, "Abbruch", 0);
  ASSERT_NE(dc, nullptr);
  ASSERT_TRUE(pump_until_seen(answers.watcher(), 1));
  // The click is posted to this thread's dialog; the abort procedure pumps it.
  BOOL go_on = TRUE;
  for (int i = 0; i < 200 && go_on; ++i, Sleep(10)) {
    EXPECT_EQ(PrinterAbortProc(dc, SP_ERROR), TRUE);  // other codes do not pump
    go_on = PrinterAbortProc(dc, i % 2 ? 0 : SP_OUTOFDISK);
  }
  EXPECT_EQ(go_on, FALSE);
  EXPECT_FALSE(IsWindowVisible(FindWindowA("#32770", "Drucken")));
  DeletePrinterDC(dc, nullptr);
  EXPECT_EQ(PrinterAbortProc(nullptr, 0), TRUE);  // cleared with the DC
}

TEST_F(PrinterDC, WrapWithPrinterFont) {
  // The wrap measures with GDI; GDI's own DrawText measure of each piece
  // (tabs expanded, prefixes processed) is the oracle.
  HDC dc = GetPrinterDC(nullptr, &pd_, "Umbruch", 0);
  ASSERT_NE(dc, nullptr);
  LOGFONTA lf{};
  lf.lfHeight = 40;
  lf.lfPitchAndFamily = FIXED_PITCH;
  vt::print::SelectedFont font(dc, lf);
  vt::print::GdiMeasure measure(dc);
  const std::string text = "Pr\xFC" "fung &Anlage\tA&&B: ein Absatz mit Tabulator\tund langen W\xF6rtern "
                           "Durchflussmessumformerkalibrierung und weiter bis zum Ende der Zeile";
  auto letters = [](std::string_view s) {
    return std::count_if(s.begin(), s.end(), [](char c) { return c != ' ' && c != '\t'; });
  };
  for (int width : {150, 400, 900, 2000}) {
    long printed = 0;
    for (std::string_view piece : vt::print::wrap_line(text, width, measure)) {
      RECT r{0, 0, width, 1000};
      DrawTextA(dc, piece.data(), static_cast<int>(piece.size()), &r,
                DT_CALCRECT | DT_SINGLELINE | DT_EXPANDTABS | DT_NOCLIP);
      EXPECT_LE(r.right, width) << std::string(piece);
      printed += letters(piece);
    }
    EXPECT_EQ(printed, letters(text)) << width;
  }
  DeletePrinterDC(dc, nullptr);
}
