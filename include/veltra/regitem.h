/* Veltra support library: registry item edit dialog.
 *
 * RegItemEdit shows "Windows-Registrierungsdaten bearbeiten", a table of
 * caller-defined registry values (name, value, range, remark) in which only
 * the value column can be edited; an edit is checked against the value's
 * type and range and written to the registry at once. Keys are never
 * created. The table is a "DataGridWnd" control, whose window class the
 * caller's suite registers. */
#ifndef VELTRA_REGITEM_H
#define VELTRA_REGITEM_H

#include <windows.h>

#include "veltra/export.h"

/* The size field of a REGITEMLIST must hold this value. */
#define REGITEMLIST_SIZE 56

/* Option bit: show the info line for the selected cell. */
#define REGITEM_OPT_INFOLINE 0x0001

/* Modes of AccessItemValue. */
#define REGITEM_READ 1
#define REGITEM_WRITE 2

/* Text-or-id fields (caption, remark): null and 0xFFFFFFFF mean none,
 * values below 0x10000 are string ids of the list's text module
 * (MAKEINTRESOURCEA), anything else the address of a text. At most 159
 * characters are used; an address that cannot be read gives an empty text. */

/* One registry value. Its own root and key path are used only when both
 * are given, else the list's defaults. A range is in force only when
 * maximum > minimum: it bounds a REG_DWORD's value or a REG_SZ's length. */
typedef struct REGITEM {
  HKEY root;
  const char* keyPath;
  const char* valueName;
  DWORD type;         /* REG_SZ or REG_DWORD */
  const char* remark; /* text or id, shown in the column "Bemerkung" */
  LONG minimum;
  LONG maximum;
  DWORD reserved;
} REGITEM;

typedef struct REGITEMLIST {
  DWORD size; /* REGITEMLIST_SIZE */
  HWND owner;
  HINSTANCE textModule; /* where string ids of caption and remarks are loaded */
  const char* caption;  /* text or id; none keeps the template's caption */
  const char* name;     /* put into the header line; null shows "<NA>" */
  HKEY defaultRoot;
  const char* defaultKeyPath;
  DWORD options; /* REGITEM_OPT_... */
  LONG itemCount;
  const REGITEM* items;
  DWORD reserved[4];
} REGITEMLIST;

/* Shows the dialog modally, owned by list->owner, and returns 0 once it is
 * closed; -1 without showing anything when list is null or its size field
 * is not REGITEMLIST_SIZE. */
VELTRA_FN LONG RegItemEdit(const REGITEMLIST* list);

/* Reads (REGITEM_READ) or writes (REGITEM_WRITE) one value of type REG_SZ
 * or REG_DWORD under the item's own root and key path when both are given,
 * else under the defaults. Reading a REG_SZ fills text (at least 261
 * bytes; at most 260 bytes are read); reading a REG_DWORD fills *number and,
 * when text is given, its signed decimal text. Writing takes text (REG_SZ)
 * or *number (REG_DWORD). TRUE on success; FALSE for another mode or type,
 * a missing root, path or buffer, a key that does not exist, or a stored
 * value of another type or size. */
VELTRA_FN BOOL AccessItemValue(HKEY defaultRoot, const char* defaultKeyPath, HKEY root,
                               const char* keyPath, const char* valueName, DWORD type,
                               DWORD* number, char* text, int mode);

/* Checks an edited text for item row of list and writes it: a REG_SZ is
 * accepted when shorter than 261 characters, or with a range when its
 * length lies within it; a REG_DWORD when strtol reads at least one
 * character, and with a range when the number lies within it. TRUE when
 * accepted and written; FALSE for a null list or text, a row outside the
 * list, another type, a refused text or a failed write. */
VELTRA_FN BOOL StoreItemValue(const char* text, int row, const REGITEMLIST* list);

#endif
