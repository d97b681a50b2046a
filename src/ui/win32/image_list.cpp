// Image lists from bitmap resources for list views, tree views and tabs.
#include <windows.h>
#include <commctrl.h>

#include "ui/win32/control_class.h"
#include "veltra/listctl.h"

HIMAGELIST LoadImageList(HINSTANCE module, WORD bitmapId, COLORREF maskColour, int cx, int cy,
                         int grow) {
  if (cx == 0) return nullptr;
  HBITMAP bitmap = LoadBitmapA(module, MAKEINTRESOURCEA(bitmapId));
  if (!bitmap) return nullptr;
  BITMAP info;
  HIMAGELIST list = nullptr;
  if (GetObjectA(bitmap, sizeof info, &info)) {
    list = ImageList_Create(cx, cy, ILC_MASK, info.bmWidth / cx, grow);
    if (list && ImageList_AddMasked(list, bitmap, maskColour) < 0) {
      ImageList_Destroy(list);
      list = nullptr;
    }
  }
  DeleteObject(bitmap);
  return list;
}

int SetImageList(HWND control, HINSTANCE module, WORD bitmapId, COLORREF maskColour, int cx, int cy,
                 int grow) {
  enum { kListView, kTreeView, kTab } kind;
  if (vt::ui::has_class(control, WC_LISTVIEWA)) kind = kListView;
  else if (vt::ui::has_class(control, WC_TREEVIEWA)) kind = kTreeView;
  else if (vt::ui::has_class(control, WC_TABCONTROLA)) kind = kTab;
  else return 0;

  HIMAGELIST list = LoadImageList(module, bitmapId, maskColour, cx, cy, grow);
  if (!list) return 0;
  switch (kind) {
    case kListView:
      SendMessageA(control, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(list));
      break;
    case kTreeView:
      TVWorkAroundSmeare(control);
      SendMessageA(control, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(list));
      break;
    case kTab:
      SendMessageA(control, TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(list));
      break;
  }
  return 1;
}
