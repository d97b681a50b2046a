/* Export markers of the Veltra support library.
 *
 * VELTRA_API marks every exported function and class. Inside the library's
 * own build (VELTRA_BUILD) it exports; a consumer imports. VELTRA_C opens C
 * linkage for the plain functions, so their exported names are undecorated. */
#ifndef VELTRA_EXPORT_H
#define VELTRA_EXPORT_H

#if defined(_WIN32)
#  if defined(VELTRA_BUILD)
#    define VELTRA_API __declspec(dllexport)
#  else
#    define VELTRA_API __declspec(dllimport)
#  endif
#else
#  define VELTRA_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
#  define VELTRA_C extern "C"
#  define VELTRA_C_BEGIN extern "C" {
#  define VELTRA_C_END }
#else
#  define VELTRA_C
#  define VELTRA_C_BEGIN
#  define VELTRA_C_END
#endif

#define VELTRA_FN VELTRA_C VELTRA_API

#endif
