// Start and end of the toolkit: the classes that form resources may name, the constants they
// may use, the application object and the screen; and form resources embedded in the exe.
#include <windows.h>

#include "ActnList.h"
#include "ComCtrls.h"
#include "Consts.h"
#include "DirCtrls.h"
#include "ExtCtrls.h"
#include "FileCtrl.h"
#include "FormReader.h"
#include "Forms.h"
#include "Grids.h"
#include "ImgList.h"
#include "Menus.h"
#include "StdCtrls.h"

void ReadComponentResource(TComponent* root, const std::string& resourceName) {
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC info = FindResourceA(module, resourceName.c_str(), MAKEINTRESOURCEA(10));  // RT_RCDATA
  HGLOBAL data = info ? LoadResource(module, info) : nullptr;
  if (!data) throw EReadError(LoadResFmt(&SFormResourceNotFound, {resourceName}));
  const char* bytes = static_cast<const char*>(LockResource(data));
  ReadComponentText(root, std::string(bytes, SizeofResource(module, info)), resourceName);
}

namespace {
void RegisterConstants() {
  const std::pair<const char*, long long> constants[] = {
      {"clBlack", clBlack},         {"clMaroon", clMaroon},     {"clRed", clRed},
      {"clWhite", clWhite},         {"clFuchsia", clFuchsia},   {"clNone", clNone},
      {"clBtnFace", clBtnFace},     {"clWindow", clWindow},     {"clWindowText", clWindowText},
      {"clHighlight", clHighlight}, {"clGrayText", clGrayText}, {"clBtnShadow", clBtnShadow},
      {"DEFAULT_CHARSET", 1},       {"ANSI_CHARSET", 0},        {"RUSSIAN_CHARSET", 204},
  };
  for (const auto& [name, value] : constants) RegisterIntegerConstant(name, value);
}
}  // namespace

void InitToolkit() {
  RegisterClasses({&TLabel::StaticClass(), &TStaticText::StaticClass(), &TButton::StaticClass(),
                   &TCheckBox::StaticClass(), &TMemo::StaticClass(), &TListBox::StaticClass(),
                   &TFileListBox::StaticClass(), &TPanel::StaticClass(), &TMainMenu::StaticClass(),
                   &TMenuItem::StaticClass(), &TActionList::StaticClass(), &TAction::StaticClass(),
                   &TImageList::StaticClass(), &TStringGrid::StaticClass(),
                   &TDriveComboBox::StaticClass(), &TDirectoryListBox::StaticClass(),
                   &TStatusBar::StaticClass()});
  RegisterConstants();
  if (!Application) Application = new TApplication(nullptr);
  if (!Screen) Screen = new TScreen(nullptr);
}

void DoneToolkit() {
  delete Application;
  Application = nullptr;
  delete Screen;
  Screen = nullptr;
}
