/* Veltra support library: visual-style wrappers. Windows only. The visual
 * style library is loaded at run time; every wrapper answers a fixed value
 * when it or the service it calls is missing, so callers call
 * unconditionally. */
#ifndef VELTRA_THEME_H
#define VELTRA_THEME_H

#include <windows.h>
#include <uxtheme.h>

#include "veltra/export.h"

/* Unloads any earlier table, loads the visual-style library and looks up
 * its services. 1 when the library was loaded (services it lacks stay
 * missing), 0 when it cannot be loaded. Called at load. */
VELTRA_FN int InitTheme(void);

/* Forgets all services and frees the visual-style library; nothing when
 * it is not loaded. Called at unload. */
VELTRA_FN void ExitTheme(void);

/* OpenThemeData(window, classes); null when missing. */
VELTRA_FN HTHEME OpenCtrlThemeData(HWND window, LPCWSTR classes);

/* CloseThemeData(theme); E_FAIL when missing. */
VELTRA_FN HRESULT CloseCtrlThemeData(HTHEME theme);

/* DrawThemeBackground(...); E_FAIL when missing. */
VELTRA_FN HRESULT DrawCtrlThemeBackground(HTHEME theme, HDC dc, int part, int state,
                                          const RECT* rect, const RECT* clip);

/* DrawThemeText(...); E_FAIL when missing. */
VELTRA_FN HRESULT DrawCtrlThemeText(HTHEME theme, HDC dc, int part, int state, LPCWSTR text,
                                    int length, DWORD flags, DWORD flags2, const RECT* rect);

/* The colour of the property, or (COLORREF)-1 (CLR_INVALID) when the
 * service is missing or the call fails. */
VELTRA_FN COLORREF GetCtrlThemeColor(HTHEME theme, int part, int state, int property);

/* GetWindowTheme(window); null when missing. */
VELTRA_FN HTHEME GetCtrlWindowTheme(HWND window);

/* 1 when visual styles are active, else 0; 0 when missing. */
VELTRA_FN BOOL IsCtrlThemeActive(void);

/* 1 when the application is drawn with visual styles, else 0; 0 when
 * missing. */
VELTRA_FN BOOL IsCtrlAppThemed(void);

/* The application's theme properties (STAP_* bits); 0 when missing. */
VELTRA_FN DWORD GetCtrlAppThemeProperties(void);

/* Sets the application's theme properties; nothing when missing. */
VELTRA_FN void SetCtrlAppThemeProperties(DWORD flags);

/* EnableTheming(enable); nothing when missing. */
VELTRA_FN void EnableCtrlTheming(BOOL enable);

/* EnableThemeDialogTexture(window, flags), but only while the application
 * theme properties allow themed controls (bit 2); E_FAIL otherwise and
 * when missing. */
VELTRA_FN HRESULT EnableCtrlThemeDialogTexture(HWND window, DWORD flags);

/* Draws dialog item id (the dialog itself for id 0) with the button
 * class's theme. Nothing when the application is not themed, the service
 * is missing or there is no such item. */
VELTRA_FN void SetDlgItemTheme(HWND dialog, int id);

/* Returns dialog item id (the dialog itself for id 0) to its own class's
 * theme; nothing in the same cases as SetDlgItemTheme. */
VELTRA_FN void ResetDlgItemTheme(HWND dialog, int id);

/* Suspends themed controls for the whole application while the dialog
 * window is open (clears the allow-controls and allow-web-content bits).
 * Nothing when a suspension is active, the application is not themed or
 * its properties are 0 or 1. */
VELTRA_FN void DisableDialogTheme(HWND window);

/* Ends the suspension begun by DisableDialogTheme with the same window and
 * restores the saved properties; nothing for any other window. */
VELTRA_FN void RestoreDialogTheme(HWND window);

#endif
