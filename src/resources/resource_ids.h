/* Identifiers of the library's dialog templates and their controls. */
#ifndef VELTRA_RESOURCE_IDS_H
#define VELTRA_RESOURCE_IDS_H

#define IDD_PRINT_PROGRESS 705
#define IDD_REGITEM_EDIT 709

#endif
