/* Identifiers of the library's dialog templates and their controls. Read by
 * the resource compiler and by the code that drives the dialogs. */
#ifndef VELTRA_RESOURCE_IDS_H
#define VELTRA_RESOURCE_IDS_H

/* Progress dialog of a print job ("Drucken"); its button is IDCANCEL-like
 * control 1, which cancels the job. */
#define IDD_PRINT_PROGRESS 705
#define IDC_PRINT_MESSAGE 101
#define IDC_PRINT_CANCEL 1

/* Registry item edit dialog ("Windows-Registrierungsdaten bearbeiten"). */
#define IDD_REGITEM_EDIT 709
#define IDC_REGITEM_HEADER 1069
#define IDC_REGITEM_INFO 1070
#define IDC_REGITEM_TABLE 3004
#define IDC_REGITEM_CLOSE 1

/* Window style of the registry dialog's grid control: child, visible,
 * clip children, border, tab stop, plus the grid's own style bits. */
#define REGITEM_TABLE_STYLE 0x52810241

#endif
