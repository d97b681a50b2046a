/* Resources of the list-control tests (ids clear of the library's and of
 * the other ui tests'). */
#define IDB_LIST_STRIP 0xF100 /* 48 x 16: three 16 x 16 images on magenta */
#define IDS_COL_RIGHT 0xF110  /* "Betrag|90|r" */
#define IDS_COL_PLAIN 0xF111  /* "Name" */
#define IDS_COL_CENTRE 0xF112 /* "Mitte|||40|c" */
