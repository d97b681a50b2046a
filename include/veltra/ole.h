/* Veltra support library: OLE initialisation, OLE text conversions, GUID
 * text, version and system queries. Windows only. Narrow texts are in the
 * ANSI code page. */
#ifndef VELTRA_OLE_H
#define VELTRA_OLE_H

#include <windows.h>
#include <objidl.h>
#include <oleauto.h>

#include "veltra/export.h"

/* Size in characters (wide) or bytes (narrow) of the buffers that the text
 * conversions fill, terminator included. */
#define VELTRA_OLE_TEXT_SIZE 261

/* Binds the OLE Automation time services (VariantTimeToSystemTime,
 * SystemTimeToVariantTime) at run time; called at load. TRUE when the
 * library loaded and both were found, else FALSE (the binding keeps what
 * was found). */
VELTRA_FN BOOL OleInit(void);

/* Releases the binding made by OleInit; nothing when none is held. */
VELTRA_FN void OleReinit(void);

/* Converts narrow text into wide, at most VELTRA_OLE_TEXT_SIZE characters
 * with the terminator (cut and terminated when longer). Returns wide; a
 * null text gives an empty wide text. */
VELTRA_FN LPWSTR ToOleStr(LPWSTR wide, LPCSTR narrow);

/* Converts wide text into narrow, at most VELTRA_OLE_TEXT_SIZE bytes with
 * the terminator, unmappable characters replaced by the system's default.
 * Returns narrow; a null text gives an empty narrow text. */
VELTRA_FN LPSTR FromOleStr(LPSTR narrow, LPCWSTR wide);

/* A new BSTR holding text, owned by the caller (SysFreeString). Null for a
 * null text or when memory runs out. */
VELTRA_FN BSTR MakeSysStr(LPCSTR text);

/* Converts bstr into narrow as FromOleStr does and frees bstr (the call
 * takes ownership). A null bstr gives an empty text and frees nothing.
 * Returns narrow. */
VELTRA_FN LPSTR FromSysStr(LPSTR narrow, BSTR bstr);

/* The GUID in registry form with braces, 38 characters. The text lives in
 * one shared buffer that the next call on any thread overwrites; empty on
 * failure. */
VELTRA_FN LPSTR StrFromGUID(REFGUID guid);

/* VARIANT_TRUE (-1) for any nonzero value, VARIANT_FALSE (0) for 0. */
VELTRA_FN VARIANT_BOOL MakeBool(int value);

/* Registers object in the running object table under a file moniker for
 * path, storing the registration cookie and the new moniker (one reference
 * for the caller, one held by the registration). E_FAIL when the table or
 * the moniker cannot be had (also for null arguments); otherwise the
 * registration's own HRESULT. */
VELTRA_FN HRESULT RegisterFileMoniker(LPCSTR path, IUnknown* object, DWORD* cookie,
                                      IMoniker** moniker);

/* 1 on 64-bit Windows, 0 on 32-bit Windows, -1 when it cannot be told.
 * Asked once, then cached. */
VELTRA_FN int Is64BitWindows(void);

/* Answers question n about the running Windows: 1 yes, 0 no (unknown
 * questions answer 0); question 34 answers a record size, 48 or 40. */
VELTRA_FN int QueryWin32Param(int n);

/* Code of the running Windows version: 1 Windows 95 ... 13 Windows Server
 * 2012 R2, -1 Windows Me, 14 newer, 0 unknown. */
VELTRA_FN int QueryWin32Type(void);

/* Selector 1: the service-pack text. Selectors 2, 3, 4: the build number,
 * the major and the minor version as numbers carried in the pointer value
 * (read them with (UINT_PTR)result). Any other selector: the name of the
 * version code, such as "Windows 7" or "Windows (higher)". Texts belong to
 * the library. */
VELTRA_FN LPCSTR QueryWin32Name(int selector);

#endif
