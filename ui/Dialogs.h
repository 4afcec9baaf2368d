#pragma once
// The framework's message dialogs and the system's file dialogs.
#include <memory>
#include <string>
#include <string_view>

#include "ui/Forms.h"
#include "ui/HookPoint.h"

namespace qv::ui {

// ---- Message dialogs ----

enum class TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
// Button bits: Yes, No, OK, Cancel, Abort, Retry, Ignore, All, NoToAll, YesToAll, Help.
using TMsgDlgButtons = uint16_t;
constexpr TMsgDlgButtons mbYes = 1 << 0;
constexpr TMsgDlgButtons mbNo = 1 << 1;
constexpr TMsgDlgButtons mbOK = 1 << 2;
constexpr TMsgDlgButtons mbCancel = 1 << 3;
constexpr TMsgDlgButtons mbAbort = 1 << 4;
constexpr TMsgDlgButtons mbRetry = 1 << 5;
constexpr TMsgDlgButtons mbIgnore = 1 << 6;
constexpr TMsgDlgButtons mbAll = 1 << 7;
constexpr TMsgDlgButtons mbNoToAll = 1 << 8;
constexpr TMsgDlgButtons mbYesToAll = 1 << 9;
constexpr TMsgDlgButtons mbHelp = 1 << 10;

// The framework's own message dialog: centred on the screen when shown.
class TMessageForm : public TForm {
 public:
  static const TClass& StaticClass();
  const TClass& ClassType() const override { return StaticClass(); }
};

// A laid-out, unshown framework message dialog; the caller frees it.
std::unique_ptr<TMessageForm> CreateMessageDialog(std::string_view text, TMsgDlgType type,
                                                  TMsgDlgButtons buttons);
// Shows a framework message dialog modally and answers its modal result.
int MessageDlg(std::string_view text, TMsgDlgType type, TMsgDlgButtons buttons);

// ---- File dialogs ----

constexpr int cdnInitDone = -601;

// The header of a wmNotify message.
struct NotifyHeader {
  WindowHandle From = nullptr;
  uintptr_t Id = 0;
  int Code = 0;
};

// The hook procedure that the system's file dialog calls with its messages.
using FileDialogHookPoint = HookPoint<intptr_t(WindowHandle, uint32_t, uintptr_t, intptr_t)>;
FileDialogHookPoint& FileDialogHook();

// The parameter block the system's file dialog runs with.
struct FileDialogParams {
  std::string Title;
  std::string Filter;
  std::string FileName;  // in: the initial name; out: the chosen file
  WindowHandle Owner = nullptr;
  bool Save = false;
  // The hook procedure that receives the dialog's messages.
  FileDialogHookPoint* Hook = nullptr;
};

class TOpenDialog : public TComponent {
 public:
  static const TClass& StaticClass();
  const TClass& ClassType() const override { return StaticClass(); }

  std::string Title;
  std::string Filter;
  std::string FileName;

  // Runs the dialog; true when the user chose a file (then in FileName). The execute step runs
  // through OpenDialogExecuteHook.
  bool Execute();
  // The layer's own execute step: prepares the parameter block and runs the system's dialog.
  static bool DefaultExecute(TOpenDialog& dialog);

 protected:
  virtual bool IsSave() const { return false; }
  // Runs the system's dialog with the parameter block.
  virtual bool RunSystemDialog(FileDialogParams& params);
};

class TSaveDialog : public TOpenDialog {
 public:
  static const TClass& StaticClass();
  const TClass& ClassType() const override { return StaticClass(); }

 protected:
  bool IsSave() const override { return true; }
};

HookPoint<bool(TOpenDialog&)>& OpenDialogExecuteHook();

}  // namespace qv::ui
