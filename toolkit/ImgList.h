// Image lists: pictures of one size, drawn by index, for buttons and menu items.
#pragma once

#include <string>

#include "Classes.h"

class TImageList : public TComponent {
  DECLARE_CLASS(TImageList, TComponent)
 public:
  explicit TImageList(TComponent* owner);
  ~TImageList() override;

  int Width() const { return width_; }
  void SetWidth(int value);
  int Height() const { return height_; }
  void SetHeight(int value);
  // A bitmap resource of the executable holding the pictures side by side; magenta pixels
  // are transparent. Loading it replaces the pictures.
  const std::string& ResourceName() const { return resourceName_; }
  void SetResourceName(const std::string& value);
  // Appends the picture of an icon file; returns its index, or -1 when it cannot be read.
  int AddIconFile(const std::string& path);

  int Count() const;
  // The system image list (an HIMAGELIST).
  void* Handle();
  // Draws picture index with its top-left corner at (x, y) of the device context dc.
  void Draw(void* dc, int x, int y, int index, bool enabled = true);

 private:
  void Recreate();

  int width_ = 16;
  int height_ = 16;
  std::string resourceName_;
  void* handle_ = nullptr;
};
