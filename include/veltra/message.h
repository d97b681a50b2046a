/* Veltra support library: resource message boxes and context help. */
#ifndef VELTRA_MESSAGE_H
#define VELTRA_MESSAGE_H

#include "veltra/export.h"

#endif
