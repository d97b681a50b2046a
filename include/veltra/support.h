/* Umbrella header of the Veltra support library. The headers of the Win32
 * families are included only when compiling for Windows. */
#ifndef VELTRA_SUPPORT_H
#define VELTRA_SUPPORT_H

#include "veltra/export.h"
#include "veltra/version.h"
#include "veltra/frame.h"
#include "veltra/strings.h"
#include "veltra/ctlcalc.h"
#include "veltra/ctlcalc_c.h"
#include "veltra/timezone.h"
#include "veltra/timeconv.h"
#include "veltra/tmsmap.h"
#include "veltra/period.h"
#include "veltra/timestr.h"
#include "veltra/format.h"
#include "veltra/placeholder.h"
#include "veltra/dbtext.h"
#include "veltra/codec.h"

#if defined(_WIN32)
#include "veltra/settings.h"
#include "veltra/regitem.h"
#include "veltra/print.h"
#include "veltra/listctl.h"
#include "veltra/dlgitem.h"
#include "veltra/message.h"
#include "veltra/colorlist.h"
#include "veltra/theme.h"
#include "veltra/ole.h"
#include "veltra/paths.h"
#endif

#endif
