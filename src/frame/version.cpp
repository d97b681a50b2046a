#include "veltra/version.h"

const char* VeltraVersion(void) { return VELTRA_VERSION_TEXT; }
