/* Veltra support library: text packed into arrays of doubles. */
#ifndef VELTRA_DBTEXT_H
#define VELTRA_DBTEXT_H

#include "veltra/export.h"

#endif
