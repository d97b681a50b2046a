/* Veltra support library: C-linkage handle API of the formula engine.
 *
 * The ctlcalc class can be used from g++ and, in the 32-bit DLL, from
 * Microsoft's compiler; callers built with other compilers, or written in
 * other languages, use this route. A handle owns its text buffer and code buffer. Callbacks get
 * the caller's `user` pointer and run on the calling thread. Distinct
 * handles may be used on any number of threads at the same time; one
 * handle used from two threads at once is the caller's to serialise (the
 * library takes no lock). Callbacks must not compile or evaluate. */
#ifndef VELTRA_CTLCALC_C_H
#define VELTRA_CTLCALC_C_H

#include <stdint.h>

#include "veltra/export.h"

typedef struct CalcHandle CalcHandle;

/* Name of a signal -> variable index (type 1 float, 4 Boolean), -1 when
 * unknown. */
typedef int16_t (*CalcNameFn)(void* user, const char* name, int16_t type);
/* Current value of variable `index`; for type 4 the Boolean is in the low
 * 16 bits of the returned 4 bytes. */
typedef float (*CalcValueFn)(void* user, int16_t index, int16_t type);

/* A new handle with a text buffer of `textsize` bytes and room for
 * `codeentries` code records (terminator included). Null when a size is 0,
 * codeentries is above 32767, or memory is short. */
VELTRA_FN CalcHandle* CalcCreate(uint32_t textsize, uint32_t codeentries);
/* Frees the handle; null is ignored. */
VELTRA_FN void CalcDestroy(CalcHandle* h);
/* Copies the formula text in. 0 (text unchanged) when h or text is null or
 * the text does not fit with its terminator. Does not touch the code. */
VELTRA_FN int CalcSetText(CalcHandle* h, const char* text);
/* Installs the callbacks and their user pointer; a null callback knows no
 * name or gives 0.0. 0 when h is null. */
VELTRA_FN int CalcSetCallbacks(CalcHandle* h, CalcNameFn name, CalcValueFn value, void* user);
/* Allowed value types: 1 float, 4 Boolean, 5 both (the default). 0 when h is null. */
VELTRA_FN int CalcSetTypes(CalcHandle* h, int16_t mask);
/* Machine code for the formula on (1, the default) or off (0: the
 * interpreter evaluates; same results). 0 when h is null. */
VELTRA_FN int CalcSetNative(CalcHandle* h, int on);
/* Sets built-in variable `which` (0 x, 1 xl, 2 xh, 3 y, 4 yl, 5 yh).
 * 0 when h is null or which is out of range. */
VELTRA_FN int CalcSetBuiltin(CalcHandle* h, int which, float value);
/* Compiles the text: 1 on success, 0 on failure (see CalcGetError) or when
 * h is null. */
VELTRA_FN int CalcCompile(CalcHandle* h);
/* Evaluates the code: 0.0 for empty or invalid code or a null handle. */
VELTRA_FN float CalcEval(CalcHandle* h);
/* Evaluates the code over `rows` rows at once, with the variables' values
 * read from columns instead of the value callback: float variable i of row
 * r is floats[i][r], Boolean variable i is booleans[i][r] (0 false, else
 * true), the built-in variables keep their set values. results[r] gets the
 * bits CalcEval gives for row r when the value callback returns those
 * values (a Boolean as its 16 bits sign-widened). Each column read holds
 * `rows` values; columns of variables the code does not read may be null.
 * Returns 1 when the results are written (0.0 throughout for empty or
 * invalid code; nothing for 0 rows); 0 with nothing written for a null
 * handle, null results, or a variable read whose index is negative, not
 * below float_count (boolean_count for a Boolean) or whose column is null.
 * results may be one of the float columns but must not overlap any column
 * otherwise. Calls no callback and allocates nothing. */
VELTRA_FN int CalcEvalColumns(CalcHandle* h, const float* const* floats, uint32_t float_count,
                              const int16_t* const* booleans, uint32_t boolean_count, float* results,
                              uint32_t rows);
/* Error code of the last compile, -1 for a null handle. */
VELTRA_FN int CalcGetError(CalcHandle* h);
/* Byte offset where the last compile stopped; 0 for a null handle. */
VELTRA_FN uint32_t CalcGetErrorPos(CalcHandle* h);
/* German text of the error code (code page 1252), in a buffer of the
 * calling thread, valid until that thread's next error text or compile;
 * "" for a null handle. */
VELTRA_FN const char* CalcGetErrorText(CalcHandle* h);
/* Value type of the last compiled formula: 1 float, 4 Boolean; 0 for a null handle. */
VELTRA_FN int CalcGetType(CalcHandle* h);
/* Copies the compiled code (8-byte records with the terminator) into buf
 * when it holds `size` bytes or more; returns the bytes the code takes, 0
 * for a null handle. */
VELTRA_FN uint32_t CalcGetCode(CalcHandle* h, void* buf, uint32_t size);
/* Attaches stored code (`size` bytes, a multiple of 8, terminator
 * included) by copying it in; 1 when it is ready to run. 0 when h or code
 * is null, size is no multiple of 8 or too large (nothing changes), or the
 * code fails the check (known operations, balanced stack of at most 128
 * cells, terminator): then the code is emptied and evaluates to 0.0. A
 * size of 0 empties the code. */
VELTRA_FN int CalcAttachCode(CalcHandle* h, const void* code, uint32_t size);

#endif
