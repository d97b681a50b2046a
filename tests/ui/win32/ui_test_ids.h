/* Resources of the ui test program. Ids from 0xF000 up stay clear of the
 * library's own string table, which the program carries too. */
#define IDS_TEST_FORMAT 0xF000
#define IDS_TEST_PLAIN 0xF001
#define IDS_TEST_LONG 0xF002
#define IDS_TEST_MISSING 0xF00F

#define IDD_TEST_ITEMS 0xF000
#define IDC_EDIT1 101
#define IDC_EDIT2 102
#define IDC_COMBO 103
#define IDC_BUTTON 104
#define IDC_LABEL 105
#define IDC_LIST 106
