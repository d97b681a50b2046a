/* Veltra support library: path placeholders $INSTALL and $PROJECT. */
#ifndef VELTRA_PLACEHOLDER_H
#define VELTRA_PLACEHOLDER_H

#include "veltra/export.h"

/* Size of the working buffer of ExpandFileName: an expanded name, with its
 * terminator, must fit into it. */
#define VELTRA_EXPANDED_NAME_BYTES 272

/* Replaces a leading folder of the file name in name (rewritten in place) by
 * "$PROJECT" when it begins with the project folder (compared ignoring the
 * case of A to Z; no separator is implied, the rest follows unchanged), else
 * by "$INSTALL" when it begins with the folder of the process's executable.
 * A null or empty project is not tried. The buffer must hold the reduced
 * name, which is longer where the folder is shorter than 8 characters.
 * Returns 1 always (name unchanged when no folder matches or name is null). */
VELTRA_FN int ReduceFileName(char* name, const char* project);

/* Writes name into out with a leading "$PROJECT" or "$INSTALL" (any letter
 * case) replaced by the project folder or the executable's folder; a name
 * without a leading placeholder is copied unchanged. out may be name.
 * Returns 1 on success; 0 with out set to "" when "$PROJECT" meets a null or
 * empty project, when the executable's folder is unknown (its file name has
 * no backslash), when name is null, or when the result does not fit into
 * VELTRA_EXPANDED_NAME_BYTES bytes. Returns 0 and writes nothing when out is
 * null. */
VELTRA_FN int ExpandFileName(char* out, const char* name, const char* project);

#endif
