#include "ui/Dialogs.h"

#include <array>

#include "ui/Application.h"
#include "ui/StdCtrls.h"

namespace qv::ui {

const TClass& TMessageForm::StaticClass() {
  static const TClass c("TMessageForm", &TForm::StaticClass());
  return c;
}
const TClass& TOpenDialog::StaticClass() {
  static const TClass c("TOpenDialog", &TComponent::StaticClass());
  return c;
}
const TClass& TSaveDialog::StaticClass() {
  static const TClass c("TSaveDialog", &TOpenDialog::StaticClass());
  return c;
}

namespace {
struct DialogButton {
  const char* Name;
  const char* Caption;
  int Result;
};
constexpr std::array<DialogButton, 11> dialogButtons{{{"Yes", "&Yes", mrYes},
                                                      {"No", "&No", mrNo},
                                                      {"OK", "OK", mrOk},
                                                      {"Cancel", "Cancel", mrCancel},
                                                      {"Abort", "&Abort", mrAbort},
                                                      {"Retry", "&Retry", mrRetry},
                                                      {"Ignore", "&Ignore", mrIgnore},
                                                      {"All", "&All", mrAll},
                                                      {"NoToAll", "N&o to All", mrNoToAll},
                                                      {"YesToAll", "Yes to &All", mrYesToAll},
                                                      {"Help", "&Help", mrNone}}};
}  // namespace

std::unique_ptr<TMessageForm> CreateMessageDialog(std::string_view text, TMsgDlgType,
                                                  TMsgDlgButtons buttons) {
  // A plain layout: the text on top, the buttons in a row under it, 75 by 25 each.
  auto form = New<TMessageForm>();
  form->SetBorderStyle(TFormBorderStyle::bsDialog);
  form->SetPosition(TPosition::poScreenCenter);
  form->SetCaption(Application().Title);
  form->Canvas().Font = form->Font();
  TRect textRect = form->Canvas().CalcTextRect({0, 0, Screen().Width() / 2, 0}, text,
                                               {.WordBreak = true, .ExpandTabs = true});
  auto& label = Create<TLabel>(*form);
  label.SetName("Message");
  label.SetParent(form.get());
  label.SetWordWrap(true);
  label.SetCaption(std::string(text));
  label.SetBounds(8, 8, textRect.Width(), textRect.Height());
  int count = 0;
  for (std::size_t bit = 0; bit < dialogButtons.size(); ++bit)
    if (buttons & (1u << bit)) ++count;
  int rowWidth = count > 0 ? count * 75 + (count - 1) * 6 : 0;
  int clientWidth = std::max(textRect.Width(), rowWidth) + 16;
  form->SetClientWidth(clientWidth);
  form->SetClientHeight(textRect.Height() + 25 + 24);
  int x = (clientWidth - rowWidth) / 2;
  for (std::size_t bit = 0; bit < dialogButtons.size(); ++bit) {
    if (!(buttons & (1u << bit))) continue;
    auto& b = Create<TButton>(*form);
    b.SetName(dialogButtons[bit].Name);
    b.SetCaption(dialogButtons[bit].Caption);
    b.SetModalResult(dialogButtons[bit].Result);
    b.SetParent(form.get());
    b.SetBounds(x, textRect.Height() + 16, 75, 25);
    x += 81;
  }
  return form;
}

int MessageDlg(std::string_view text, TMsgDlgType type, TMsgDlgButtons buttons) {
  return CreateMessageDialog(text, type, buttons)->ShowModal();
}

namespace {
// The framework's own hook procedure: centres the file dialog on the screen once it is set up.
intptr_t DefaultFileDialogHook(WindowHandle window, uint32_t message, uintptr_t, intptr_t lParam) {
  if (message != wmNotify || lParam == 0) return 0;
  const auto* header = reinterpret_cast<const NotifyHeader*>(lParam);
  if (header->Code != cdnInitDone) return 0;
  Backend& backend = CurrentBackend();
  WindowHandle dialog = backend.WindowParent(window);
  if (dialog == nullptr) return 0;
  TRect r = backend.WindowRect(dialog);
  TSize s = backend.ScreenSize();
  int left = (s.Width - r.Width()) / 2;
  int top = (s.Height - r.Height()) / 2;
  backend.SetWindowPos(dialog, {left, top, left + r.Width(), top + r.Height()});
  return 0;
}
}  // namespace

FileDialogHookPoint& FileDialogHook() {
  static FileDialogHookPoint point(&DefaultFileDialogHook);
  return point;
}

HookPoint<bool(TOpenDialog&)>& OpenDialogExecuteHook() {
  static HookPoint<bool(TOpenDialog&)> point(&TOpenDialog::DefaultExecute);
  return point;
}

bool TOpenDialog::Execute() {
  return OpenDialogExecuteHook()(*this);
}

bool TOpenDialog::DefaultExecute(TOpenDialog& dialog) {
  FileDialogParams params;
  params.Title = dialog.Title;
  params.Filter = dialog.Filter;
  params.FileName = dialog.FileName;
  params.Owner = CurrentBackend().ActiveWindow();
  params.Save = dialog.IsSave();
  params.Hook = &FileDialogHook();
  if (!dialog.RunSystemDialog(params)) return false;
  dialog.FileName = params.FileName;
  return true;
}

bool TOpenDialog::RunSystemDialog(FileDialogParams& params) {
  return CurrentBackend().RunFileDialog(params);
}

}  // namespace qv::ui
