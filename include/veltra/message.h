/* Veltra support library: resource message boxes and context help. */
#ifndef VELTRA_MESSAGE_H
#define VELTRA_MESSAGE_H

#include <windows.h>

#include "veltra/export.h"

/* Loads string `id` (at most 511 characters) from the module that created
 * `owner`, or from this library when `owner` is null, formats it printf-style
 * with the arguments (cut at 599 characters) and shows it in a message box of
 * type `type`. The caption is the owner's text, or this library's string 1
 * ("Meldung") without an owner. Returns the box's result; 0, showing nothing,
 * when the string does not exist. */
VELTRA_FN int MessageFMTBox(HWND owner, UINT id, UINT type, ...);

/* Like MessageFMTBox, with the string taken from `module` (null: the
 * program). The owner is the calling thread's active window; the caption its
 * text, else string 1 of `module`, else empty. 0 when the string does not
 * exist. */
VELTRA_FN int ResourceMessageBox(HINSTANCE module, UINT id, UINT type, ...);

/* Opens help file `file` (null or empty: "dll.chm"), searched beside the
 * program and the library, with the classic help command `command` and its
 * `data`. Names containing ".hlp" or ".HLP" go to the classic engine and its
 * result is returned; all others to HTML Help: 1 on success, 0 on failure
 * (after showing message 323) or for a command other than 1, 2, 3, 8 and
 * 0x101. Commands 1 and 8 with data 0xFFFFFFFF and command 2 return 1 at
 * once. */
VELTRA_FN int DllHelp(HWND window, const char* file, UINT command, ULONG_PTR data);

/* DllHelp on "dll.chm" with a keyword lookup of `keyword` (null: 0). */
VELTRA_FN int DllHelpKey(HWND window, const char* keyword);

/* DllHelpKey with string `id` (at most 59 characters) of the module that
 * created `window`; 0 when the string does not exist. */
VELTRA_FN int DllHelpRcTopic(HWND window, UINT id);

/* DllHelp on "dll.chm" showing the topic with context number `context`. */
VELTRA_FN int DllHelpContext(HWND window, DWORD context);

#endif
