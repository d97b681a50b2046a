/* Veltra support library: settings store in the registry and ini-file location.
 *
 * A control's settings live in the key "Software\Quillbern\Veltra\Controls\<control>"
 * under HKEY_LOCAL_MACHINE (the Ctrl functions) or HKEY_CURRENT_USER (the
 * Usr functions). Control names may hold backslashes (deeper keys) and have
 * at most 224 characters. A null value name means the key's default value. */
#ifndef VELTRA_SETTINGS_H
#define VELTRA_SETTINGS_H

#include <windows.h>

#include "veltra/export.h"

/* Stores `value` as REG_SZ with its terminator. 1 if stored; 0 if the key
 * cannot be opened or created, or for a null control or value. */
VELTRA_FN int WriteCtrlIniString(const char* control, const char* name, const char* value);
VELTRA_FN int WriteUsrIniString(const char* control, const char* name, const char* value);

/* Stores `value` as REG_DWORD. 1 if stored, 0 if not. */
VELTRA_FN int WriteCtrlIniInt(const char* control, const char* name, LONG value);
VELTRA_FN int WriteUsrIniInt(const char* control, const char* name, LONG value);

/* Reads a REG_SZ value into `buffer` (`size` bytes with the terminator) and
 * returns its length. A missing value, another type or a value longer than
 * the buffer gives the default instead (null: the empty string), cut to
 * size - 1 characters; the result is then the length placed. 0 without
 * writing for a null buffer or size < 1. */
VELTRA_FN int GetCtrlIniString(const char* control, const char* name, const char* def, char* buffer, int size);
VELTRA_FN int GetUsrIniString(const char* control, const char* name, const char* def, char* buffer, int size);

/* Reads a REG_DWORD value; `def` when it is missing or of another type. */
VELTRA_FN LONG GetCtrlIniInt(const char* control, const char* name, LONG def);
VELTRA_FN LONG GetUsrIniInt(const char* control, const char* name, LONG def);

/* Puts the path of module's ini file into `buffer` (at least 261 bytes) and
 * returns `buffer`: FOLDER\NAME.ini beside the module FOLDER\NAME.EXT when a
 * test write there succeeds (it leaves an empty "WriteAccess" entry in the
 * section "MakeIniFile"), else LOCALAPPDATA\Veltra\NAME.ini, whose folder
 * is created (the current folder is then left there). The empty string when
 * the module path has no folder or no extension; null for a null buffer. */
VELTRA_FN char* MakeIniFile(HINSTANCE module, char* buffer);

#endif
