// Message dialogs: the simple message box and the typed message dialog.
#pragma once

#include <cstdint>
#include <string>

// Shows text with an OK button, titled with the application's title, and waits until the
// user closes it.
void ShowMessage(const std::string& text);

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum TMsgDlgBtn { mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore };
using TMsgDlgButtons = std::uint32_t;  // one bit per TMsgDlgBtn
constexpr TMsgDlgButtons MsgDlgButtonsOf(std::initializer_list<TMsgDlgBtn> buttons) {
  TMsgDlgButtons set = 0;
  for (TMsgDlgBtn b : buttons) set |= 1u << b;
  return set;
}

// Shows a modal dialog centred on the screen with the icon and title of its type (the title
// of a confirmation is the message "Confirm"), the text and the buttons, captioned from the
// toolkit's messages. The first of Yes and OK is the default button (Enter); Cancel, else No,
// else OK answers Escape and the close box. Returns the close result of the button (mrYes,
// mrNo, mrCancel ...).
int MessageDlg(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons);
