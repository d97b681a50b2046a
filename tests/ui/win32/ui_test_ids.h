/* Resources of the ui test program. Ids from 0xF000 up stay clear of the
 * library's own string table, which the program carries too. */
#define IDS_TEST_FORMAT 0xF000
#define IDS_TEST_PLAIN 0xF001
#define IDS_TEST_LONG 0xF002
#define IDS_TEST_MISSING 0xF00F
