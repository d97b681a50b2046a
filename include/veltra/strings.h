/* Veltra support library: string utilities on NUL-terminated narrow
 * strings (ANSI code page). They work in place on the caller's buffers and
 * never allocate. Unless a function takes a size, the caller guarantees
 * room for the result. Space means what _isspace accepts. Case-blind
 * comparisons fold only the letters A to Z, except where stated. Functions
 * returning their first argument return it also for null arguments and
 * then change nothing. */
#ifndef VELTRA_STRINGS_H
#define VELTRA_STRINGS_H

#include "veltra/export.h"

/* Copies at most size - 1 characters of src into dst and terminates it.
 * Returns dst. Writes nothing when size < 1 or src is null. */
VELTRA_FN char* strxcpy(char* dst, const char* src, int size);

/* 1 when a and b are equal byte for byte, else 0 (a null pointer equals
 * only another null pointer). */
VELTRA_FN int strequal(const char* a, const char* b);

/* As strequal, ignoring the case of A to Z. */
VELTRA_FN int striequal(const char* a, const char* b);

/* 1 when text begins with prefix (exact case), else 0; an empty prefix
 * gives 1, a null argument 0. */
VELTRA_FN int strnequal(const char* text, const char* prefix);

/* As strnequal, ignoring the case of A to Z. */
VELTRA_FN int strniequal(const char* text, const char* prefix);

/* 1 for the blank (32) and the control characters 9 to 13, else 0
 * (negative values give 0). */
VELTRA_FN int _isspace(int c);

/* Replaces every character 9 to 13 by a blank. Returns text. */
VELTRA_FN char* strspace(char* text);

/* Removes the last character when it equals c. Returns text. */
VELTRA_FN char* strcutlast(char* text, char c);

/* Replaces the last character by c (the length stays); an empty text is
 * unchanged. Returns text. */
VELTRA_FN char* strappendlast(char* text, char c);

/* Removes count characters from index pos when pos + count <= length;
 * otherwise (also for negative pos or count) the text is unchanged.
 * Returns text. */
VELTRA_FN char* strdel(char* text, int pos, int count);

/* Inserts insert before index pos when 0 <= pos <= length (pos = length
 * appends); otherwise unchanged. Returns text. */
VELTRA_FN char* strins(char* text, const char* insert, int pos);

/* Writes count copies of c and a terminator (count + 1 bytes); count <= 0
 * writes only the terminator. Returns count. */
VELTRA_FN int strfill(char* buffer, char c, int count);

/* Replaces every character of text found in from by the character of to at
 * the index of its first occurrence in from, each position once. Nothing
 * changes when from and to differ in length. Returns text. */
VELTRA_FN char* strxchg(char* text, const char* from, const char* to);

/* First occurrence of pattern in text ignoring the case of A to Z; text
 * itself for an empty pattern; null when there is none or an argument is
 * null. */
VELTRA_FN char* stristr(char* text, const char* pattern);

/* First occurrence of pattern in text. Flags: 4 exact case (else as
 * stristr); 2 whole word at the end: an occurrence followed by a letter or
 * digit of the code page is skipped. Null when there is none, and for an
 * empty or null text or pattern. */
VELTRA_FN char* strfind(char* text, const char* pattern, int flags);

/* 1 when text is empty, null or space only, else 0. */
VELTRA_FN int strwhite(const char* text);

/* Tokenizer that keeps empty fields: a non-null text starts a new scan,
 * null continues the scan of the calling thread. Each call returns the
 * next field, cut at the next delimiter (which is overwritten by NUL), or
 * null when the text is used up. A delimiter at the very end yields no
 * final empty field. Null delimiters: the rest is one field. */
VELTRA_FN char* strtoks(char* text, const char* delimiters);

/* First c in text outside bracketed parts; pair holds the opening and
 * the closing character (the same for quotes). Null when there is none
 * (also for null text). */
VELTRA_FN char* strchrex(char* text, char c, const char* pair);

/* Replaces every occurrence of from (ignoring the case of A to Z) by to;
 * the replacement is not searched again. The caller guarantees room.
 * Returns text, unchanged for a null argument or an empty from. */
VELTRA_FN char* strsubst(char* text, const char* from, const char* to);

/* Makes every lone carriage return or line feed a carriage return and line
 * feed pair, within a buffer of size bytes; stops when the next pair would
 * not fit (the rest stays as it was). A line feed at index 0 stays. A
 * text without terminator within size bytes is left unchanged. Returns
 * text. */
VELTRA_FN char* strcrlf(char* text, int size);

/* Escapes control characters into one line (tab, line feed and carriage
 * return as backslash t, n, r; others as backslash x and two hex digits)
 * into dst of size bytes. Returns dst when all of src was converted, null
 * when dst was too small (dst then holds what fit, terminated); null and
 * nothing written when size < 1. The backslash itself is not escaped. */
VELTRA_FN char* strtoinistr(char* dst, const char* src, int size);

/* Replaces the characters that cannot stand in a file name: the double
 * quote by ', < by {, > by }, and * / : ? \ | by _. Returns text. */
VELTRA_FN char* strtopathstr(char* text);

/* Undoes strtoinistr into dst of size bytes: backslash t, r, n and x with
 * two hex digits become their bytes; anything else is copied. An escape
 * cut short by the end of src is copied as it stands. Stops when dst is
 * full. Returns the number of bytes written (0 and nothing written when
 * size < 1). */
VELTRA_FN int inistrtostr(char* dst, const char* src, int size);

/* Copies src with its terminator to dst; they may overlap. Returns dst. */
VELTRA_FN char* strmove(char* dst, const char* src);

/* 1 when text matches the wildcard pattern (* any run, ? one character),
 * ignoring case (single characters fold as the code page's letters do),
 * else 0. The search for a literal part takes the first place it fits and
 * never comes back. Null arguments give 0. */
VELTRA_FN int strmatch(const char* text, const char* pattern);

/* Flag 2 removes trailing space, flag 1 leading space (the rest moves to
 * the start). Returns text. */
VELTRA_FN char* strtrim(char* text, int flags);

#endif
