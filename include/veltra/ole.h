/* Veltra support library: OLE initialisation, OLE text conversions, GUID text, version and system queries. */
#ifndef VELTRA_OLE_H
#define VELTRA_OLE_H

#include "veltra/export.h"

#endif
