// Image lists over the common controls' image list.
#include <windows.h>
#include <commctrl.h>

#include "ImgList.h"

namespace {
HIMAGELIST Native(void* h) { return static_cast<HIMAGELIST>(h); }
}  // namespace

const TClassInfo& TImageList::StaticClass() {
  static const TClassInfo info =
      TClassBuilder<TImageList>("TImageList", TComponent::StaticClass())
          .Creatable()
          .Integer("Width", &TImageList::Width, &TImageList::SetWidth, 1, 256)
          .Integer("Height", &TImageList::Height, &TImageList::SetHeight, 1, 256)
          .String("ResourceName", &TImageList::ResourceName, &TImageList::SetResourceName);
  return info;
}

TImageList::TImageList(TComponent* owner) : TComponent(owner) {}

TImageList::~TImageList() {
  if (handle_) ImageList_Destroy(Native(handle_));
}

void TImageList::SetWidth(int value) {
  if (value == width_) return;
  width_ = value;
  Recreate();
}

void TImageList::SetHeight(int value) {
  if (value == height_) return;
  height_ = value;
  Recreate();
}

void TImageList::Recreate() {
  if (handle_) ImageList_Destroy(Native(handle_));
  handle_ = ImageList_Create(width_, height_, ILC_COLOR32 | ILC_MASK, 8, 8);
  if (!resourceName_.empty()) {
    HBITMAP strip = static_cast<HBITMAP>(LoadImageA(GetModuleHandleW(nullptr), resourceName_.c_str(),
                                                    IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (strip) {
      ImageList_AddMasked(Native(handle_), strip, RGB(255, 0, 255));
      DeleteObject(strip);
    }
  }
}

void TImageList::SetResourceName(const std::string& value) {
  resourceName_ = value;
  Recreate();
}

void* TImageList::Handle() {
  if (!handle_) Recreate();
  return handle_;
}

int TImageList::Count() const { return handle_ ? ImageList_GetImageCount(Native(handle_)) : 0; }

int TImageList::AddIconFile(const std::string& path) {
  HICON icon = static_cast<HICON>(
      LoadImageA(nullptr, path.c_str(), IMAGE_ICON, width_, height_, LR_LOADFROMFILE));
  if (!icon) return -1;
  int index = ImageList_AddIcon(Native(Handle()), icon);
  DestroyIcon(icon);
  return index;
}

void TImageList::Draw(void* dc, int x, int y, int index, bool enabled) {
  if (index < 0 || index >= Count()) return;
  IMAGELISTDRAWPARAMS p = {};
  p.cbSize = sizeof p;
  p.himl = Native(handle_);
  p.i = index;
  p.hdcDst = static_cast<HDC>(dc);
  p.x = x;
  p.y = y;
  p.rgbBk = CLR_NONE;
  p.fStyle = ILD_TRANSPARENT;
  p.fState = enabled ? ILS_NORMAL : ILS_SATURATE;
  ImageList_DrawIndirect(&p);
}
