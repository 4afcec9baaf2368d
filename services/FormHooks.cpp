// The module's interceptions of the form layer: styling controls added to server dialogs at any
// depth, centring the framework's message dialogs on the active monitor, and opening file dialogs
// on the monitor of the window that was active when they started. They go through the layer's
// hook points; a replacement that passes a call on takes itself out for the duration of the call,
// so a nested call of the same operation runs without it.
#include "platform/Files.h"
#include "platform/Text.h"
#include "services/Rt_forms.h"

namespace qv {

using namespace ui;

namespace {

FormHooksState& State() {
  static FormHooksState state;
  return state;
}

// Takes an interception out for one call of the operation it replaced and puts it back
// afterwards, also when the call raises.
template <class Signature>
class CallThrough {
 public:
  using Function = typename HookPoint<Signature>::Function;
  CallThrough(PatchRecord<Signature>& record, Function replacement)
      : record_(record), target_(record.Target), replacement_(replacement) {
    RemovePatch(record_);
  }
  ~CallThrough() {
    if (target_ != nullptr) InstallPatch(*target_, replacement_, record_);
  }
  CallThrough(const CallThrough&) = delete;
  CallThrough& operator=(const CallThrough&) = delete;
  HookPoint<Signature>& Target() { return *target_; }

 private:
  PatchRecord<Signature>& record_;
  HookPoint<Signature>* target_;
  Function replacement_;
};

void InsertControlReplacement(TWinControl& parent, TControl& control) {
  {
    CallThrough<void(TWinControl&, TControl&)> through(State().InsertControl,
                                                       &InsertControlReplacement);
    through.Target()(parent, control);
  }
  TServerDialog* dialog = nullptr;
  for (TControl* c = &control; c != nullptr && dialog == nullptr; c = c->Parent())
    dialog = dynamic_cast<TServerDialog*>(c);
  if (dialog == nullptr) return;
  if (control.InheritsFrom(TFrame::StaticClass()) && dialog->ThemeEngine != nullptr &&
      dialog->ThemeEngine->Theme() != nullptr)
    control.SetColor(dialog->ThemeEngine->Theme()->Color(11));
  dialog->ApplyDialogStyle(control);
}

void ShowingChangedReplacement(TCustomForm& form) {
  const TClass* messageDialog = State().MessageDialogClass;
  if (form.Visible() && messageDialog != nullptr && form.InheritsFrom(*messageDialog)) {
    CentreOnActiveMonitor(form);
    CurrentBackend().ShowWindow(form.Handle(), ShowCommandFor(form.WindowState()));
    return;
  }
  CallThrough<void(TCustomForm&)> through(State().ShowingChanged, &ShowingChangedReplacement);
  through.Target()(form);
}

intptr_t DialogHookReplacement(WindowHandle window, uint32_t message, uintptr_t wParam,
                               intptr_t lParam) {
  if (message == wmNotify && lParam != 0 &&
      reinterpret_cast<const NotifyHeader*>(lParam)->Code == cdnInitDone) {
    PlaceOnMonitor(CurrentBackend().WindowParent(window), State().FileDialogMonitor);
    return 0;
  }
  CallThrough<intptr_t(WindowHandle, uint32_t, uintptr_t, intptr_t)> through(
      State().DialogHook, &DialogHookReplacement);
  return through.Target()(window, message, wParam, lParam);
}

bool ExecuteStepReplacement(TOpenDialog& dialog) {
  Backend& backend = CurrentBackend();
  State().FileDialogMonitor = backend.MonitorFromWindow(backend.ActiveWindow());
  CallThrough<bool(TOpenDialog&)> through(State().ExecuteStep, &ExecuteStepReplacement);
  return through.Target()(dialog);
}

}  // namespace

const FormHooksState& FormHooks() {
  return State();
}

void PlaceOnMonitor(WindowHandle window, MonitorHandle monitor) {
  Backend& backend = CurrentBackend();
  if (window == nullptr) return;
  for (const MonitorInfo& m : backend.Monitors()) {
    if (m.Handle != monitor) continue;
    TRect r = backend.WindowRect(window);
    int x = (m.Bounds.Left + m.Bounds.Right - r.Width()) / 2;
    int y = m.Bounds.Top + (m.Bounds.Height() - r.Height()) / 3;
    backend.SetWindowPos(window, {x, y, x + r.Width(), y + r.Height()});
    return;
  }
}

bool TFakeDialog::RunSystemDialog(FileDialogParams& params) {
  CapturedHook = params.Hook;
  return false;
}

HookPoint<void(TCustomForm&)>* FindMessageHandler(const TClass& cls, uint32_t message) {
  // TCustomForm declares its own handler of the showing-changed notification; nothing else is
  // looked for.
  if (&cls == &TCustomForm::StaticClass() && message == cmShowingChanged)
    return &FormShowingChangedHook();
  return nullptr;
}

FileDialogHookPoint* CaptureDialogHook() {
  auto fake = New<TFakeDialog>();
  fake->Execute();
  return fake->CapturedHook;
}

std::string_view DevelopmentHostName() {
#ifdef _WIN32
  return "qvdesign.exe";
#else
  return "qvdesign";
#endif
}

bool IsDevelopmentHost(std::string_view executablePath) {
  std::string path(executablePath.substr(0, 260));
  std::size_t slash = path.find_last_of("/\\:");
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  return platform::CompareTextIgnoreCase(name, DevelopmentHostName()) == 0;
}

bool IsDevelopmentHost() {
  return IsDevelopmentHost(platform::HostExecutablePath());
}

void InstallFormHooks() {
  InstallFormHooksFor(IsDevelopmentHost());
}

void InstallFormHooksFor(bool developmentHost) {
  FormHooksState& s = State();
  if (developmentHost || s.HooksInstalled) return;
  InstallPatch(InsertControlHook(), &InsertControlReplacement, s.InsertControl);
  s.ShowingChangedHandler = FindMessageHandler(TCustomForm::StaticClass(), cmShowingChanged);
  if (s.ShowingChangedHandler != nullptr) {
    InstallPatch(*s.ShowingChangedHandler, &ShowingChangedReplacement, s.ShowingChanged);
    auto probe = CreateMessageDialog("", TMsgDlgType::mtCustom, 0);
    s.MessageDialogClass = &probe->ClassType();
  }
  s.CapturedDialogHook = CaptureDialogHook();
  if (s.CapturedDialogHook != nullptr)
    InstallPatch(*s.CapturedDialogHook, &DialogHookReplacement, s.DialogHook);
  InstallPatch(OpenDialogExecuteHook(), &ExecuteStepReplacement, s.ExecuteStep);
  s.HooksInstalled = true;
}

void RemoveFormHooks() {
  FormHooksState& s = State();
  if (!s.HooksInstalled) return;
  RemovePatch(s.InsertControl);
  if (s.ShowingChangedHandler != nullptr) RemovePatch(s.ShowingChanged);
  if (s.CapturedDialogHook != nullptr) RemovePatch(s.DialogHook);
  RemovePatch(s.ExecuteStep);
  s = FormHooksState{};
}

}  // namespace qv
