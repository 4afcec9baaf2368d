#pragma once
// The module's message boxes: forms laid out from the system's message font, with a system icon
// and a row of buttons, owned by the host's main window and centred on the monitor where the user
// works.
#include <memory>
#include <string>
#include <string_view>

#include "ui/Dialogs.h"
#include "ui/Forms.h"

namespace qv {

// Message kinds: 0 warning, 1 error, 2 information, 3 confirmation, 4 custom (no icon).
using TMsgDlgType = ui::TMsgDlgType;
// Button set: bits 0 to 10 select Yes, No, OK, Cancel, Abort, Retry, Ignore, All, NoToAll,
// YesToAll, Help (the ui::mb* constants).
using TMsgDlgButtons = ui::TMsgDlgButtons;

class TEDAClientMessageForm : public ui::TForm {
 public:
  // Takes the system's message font when the system describes one.
  TEDAClientMessageForm();
  static const ui::TClass& StaticClass();
  const ui::TClass& ClassType() const override { return StaticClass(); }
  // The Help button: the application's help for the form's help context.
  void HelpButtonClick();

 protected:
  // The box belongs to the window that the host client offers as owner of the module's dialogs.
  void CreateParamsFor(ui::CreateParams& params) override;
};

// The system icon of a message kind; 0 for the custom kind.
int IconForKind(TMsgDlgType kind);

// A laid-out, unshown message form for `text`, `kind` and `buttons`; the caller frees it.
std::unique_ptr<TEDAClientMessageForm> CreateMessageForm(std::string_view text, TMsgDlgType kind,
                                                         TMsgDlgButtons buttons);
// Centres a form on the monitor of the active window when the framework knows that monitor;
// otherwise leaves it where it is.
void CentreOnActiveMonitor(ui::TCustomForm& form);
// Shows a message form modally at (x, y), each coordinate only when it is not negative, or centred
// on the active monitor when both are; answers the modal result. The form is freed in any case.
int ShowMessageFormAt(std::string_view text, std::string_view title, TMsgDlgType kind,
                      TMsgDlgButtons buttons, int helpContext, int x, int y,
                      std::string_view helpFile);
// Shows `text` as it is: every "&" is doubled so that none is taken as an accelerator mark.
int ShowMessageBox(std::string_view text, std::string_view title, TMsgDlgType kind,
                   TMsgDlgButtons buttons);

// A modal box titled "Vantrope Error" with the error icon and an OK button.
void ShowError(std::string_view text);
// A modal box titled "Vantrope Information" with the information icon and an OK button.
void ShowInformation(std::string_view text);

}  // namespace qv
