/* Veltra support library: printer selection, page geometry, background text-file printing, table layout. */
#ifndef VELTRA_PRINT_H
#define VELTRA_PRINT_H

#include <stdint.h>
#include <stdio.h>

#include "veltra/export.h"

/* Layout flags of PrintLayout.flags. */
#define PL_PAGENUMBERS 0x01 /* plain: "- n -" centred on top; table: "Seite n" right in the header */
#define PL_FRAME 0x02       /* table: frame around the printable area, rule under the page header */
#define PL_JOBNAME 0x04     /* table: the job name in the page header */
#define PL_AUTOORIENT 0x10  /* landscape when one of the first 30 lines has more than 64 characters */
#define PL_TITLE 0x20       /* table: the file's first line as the page header's title */
#define PL_PLAINTEXT 0x40   /* never the table layout */

/* The print layout record, 50 bytes: margins in centimetres (left, right,
 * top, bottom), the layout flags, and 32 bytes this library does not read. */
#pragma pack(push, 2)
typedef struct PrintLayout {
  float margins[4];
  uint16_t flags;
  uint8_t reserved[32];
} PrintLayout;
#pragma pack(pop)

/* Finds the columns of a text table in the first 30 lines of `stream`
 * (rewound before and after). starts (128 entries) receives the column
 * starts, unused entries -1; *header_line the index of the header line (-1
 * when there is none); header (1024 bytes) a copy of the header line.
 * Returns the number of columns; 0 for a null stream or starts. */
VELTRA_FN int DetectColumns(FILE* stream, int* starts, int* header_line, char* header);

/* Copies the text of column `column` of `line` into field (256 bytes): from
 * the column's start up to the next column's start, at most 255 characters;
 * empty when the line ends before the start, for a column outside 0..count-1,
 * or for starts that do not rise from 0. Returns field (null if field is). */
VELTRA_FN char* GetColumnText(const char* line, const int* starts, int column, int count, char* field);

#if defined(_WIN32)
#include <windows.h>
#include <commdlg.h>

/* The print dialog over `pd`, on a thread of its own with a single-threaded
 * COM apartment (the owner is removed while it runs). PrintDlgA's result;
 * 0 when the dialog raised an exception or its thread could not start; 2
 * when it did not end within 50 minutes and was terminated. */
VELTRA_FN BOOL PrintDlg2(PRINTDLGA* pd);

/* The printer setup dialog over the caller's record, with `flags` added.
 * Invalid stored settings fall back to the default printer (messages 208 or
 * 209 first). 1 when no dialog error remains (also after Cancel); 0 after a
 * system error, shown as message 322, or for a null record. */
VELTRA_FN int PrinterSetup(HWND owner, PRINTDLGA* pd, DWORD flags);

/* A printer DC for one job named `job` (cut to 79 characters), for the
 * printer of `pd` (set up first when none is chosen yet), with orientation
 * 1 portrait or 2 landscape for this DC only (0: as set). With an owner
 * window it shows the progress dialog "Drucken" and installs the abort
 * procedure. Null when no printer is chosen, for print-to-file, or when the
 * DC cannot be created (message 206). */
VELTRA_FN HDC GetPrinterDC(HWND owner, PRINTDLGA* pd, const char* job, int orientation);

/* Deletes the DC of GetPrinterDC and its progress dialog; `unused` is not read. */
VELTRA_FN void DeletePrinterDC(HDC dc, HWND unused);

/* The two window-system callbacks use the system's calling convention; the
 * library exports them under their plain names through its export
 * definitions rather than by marking them. */
#if defined(VELTRA_BUILD)
#define VELTRA_PRINT_CALLBACK VELTRA_C
#else
#define VELTRA_PRINT_CALLBACK VELTRA_FN
#endif

/* The abort procedure: for spooler codes 0 and SP_OUTOFDISK pumps the
 * thread's messages; 0 once the user pressed "Abbrechen", else nonzero. */
VELTRA_PRINT_CALLBACK BOOL CALLBACK PrinterAbortProc(HDC dc, int code);

/* The progress dialog's procedure. */
VELTRA_PRINT_CALLBACK INT_PTR CALLBACK prt_printerdlg(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);

/* Turns margins (4 floats in cm: left, right, top, bottom, from the edges of
 * the printable area) into device pixels of dc. 1 when they leave at least
 * 256 pixels each way; else 0, with message 210 when `show` is set. The
 * outputs hold the computed values either way; 0 without touching them for
 * a null pointer. */
VELTRA_FN int16_t PrtCalcMargins(HDC dc, const float* margins, int32_t* left, int32_t* right,
                                 int32_t* top, int32_t* bottom, int16_t show);

/* Prints text file `file` (under 256 characters) in the background and
 * deletes it when the job has ended, whatever the outcome: as a ruled table
 * when its first lines show columns, else as plain text in a fixed-pitch
 * version of `font`. The owner's title is the job name. Returns 1 once the
 * worker has opened the file, 0 when it could not (message 203 when `show`)
 * or could not start (also for a name of 256 or more characters, which is
 * neither printed nor deleted, and for null arguments). Later failures are shown as messages 204, 205, 206,
 * 210 when `show` is set. One job at a time per process. */
VELTRA_FN int32_t PrintFile(HWND owner, const PRINTDLGA* pd, const char* file, const LOGFONTA* font,
                            const PrintLayout* layout, int32_t show);
#endif

#endif
