#pragma once
// Help-aware forms, server dialogs and the placement of the module's windows on the monitor where
// the user works.
//
// Help: every help file in the folder Help beside the host executable has an id file of the same
// name with the extension ".id", lines "key=topic" or "key=anything,target" (a redirect to the
// help of the server module that serves `target`). F1 opens the topic of the enclosing dialog,
// frame or page; a what's-this click pops up the topic of one control.
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "runtime/EDAClientMessageBox.h"
#include "ui/Dialogs.h"
#include "ui/Forms.h"
#include "ui/HookPoint.h"
#include "ui/Themes.h"

namespace qv {

// ---- Help files and id files ----

// Keys with topic values, in file order until sorted; then found by binary search. Keys compare
// without regard to case.
class THelpIdList {
 public:
  void Add(std::string key, int32_t value);
  void Sort();
  bool Sorted() const { return sorted_; }
  bool Empty() const { return items_.empty(); }
  int Count() const { return static_cast<int>(items_.size()); }
  std::optional<int32_t> Find(std::string_view key) const;
  const std::vector<std::pair<std::string, int32_t>>& Items() const { return items_; }

 private:
  std::vector<std::pair<std::string, int32_t>> items_;
  bool sorted_ = false;
};
using THelpRedirects = std::vector<std::string>;

// Where help files are looked for: the host executable's folder (with its trailing separator)
// and this module's own library file.
struct HelpLocation {
  std::string HostFolder;
  std::string ModuleFile;
};
HelpLocation CurrentHelpLocation();
// Replaces the location that the system gives (tests); none: back to the system's.
void SetHelpLocation(std::optional<HelpLocation> location);

std::string ModuleHelpFile();
std::string WhatsThisHelpFile();
std::string MasterHelpFile();
// The help file of the server module whose library file is `moduleFile`.
std::string RedirectHelpFile(std::string_view moduleFile);
// The id file of a help file: its extension replaced by ".id".
std::string IdFileOf(std::string_view helpFile);

// Reads the id file of `helpFile` into the lists; a missing or empty id file leaves them as they
// are.
void LoadHelpIds(THelpIdList& topics, THelpRedirects& redirects, const std::string& helpFile);
// The topic of `name` (or of "Dlg_" + prefix + "_" + name when a prefix is given), following
// redirects, which may change `helpFile`. 0 for none.
int32_t LookupHelpTopic(std::string_view name, std::string_view prefix, std::string& helpFile,
                        THelpIdList& topics, THelpRedirects& redirects);
// Resolves a redirect through the host client. A chain of redirects that comes back to a target
// it already followed gives up with 0.
int32_t FollowHelpRedirect(std::string_view target, std::string& helpFile);
// One lookup of `key` in `helpFile` with fresh lists.
int32_t LookupInHelpFile(std::string_view key, std::string& helpFile);
// Forms, frames, tab sheets and themed tab sheets and tab controls hold help of their own.
bool IsHelpContainer(const ui::TControl* control);

// ---- Help-aware forms ----

class TFormWithHelp : public ui::TForm {
 public:
  TFormWithHelp();
  static const ui::TClass& StaticClass();
  const ui::TClass& ClassType() const override { return StaticClass(); }

  THelpIdList HelpTopics;
  THelpRedirects HelpRedirects;
  THelpIdList WhatsThisTopics;
  THelpRedirects WhatsThisRedirects;
  bool F1Pending = false;
  bool HelpEnabled = true;

  // Forms and frames take the module help file with HelpTopics; other controls (and none) the
  // what's-this help file with WhatsThisTopics.
  std::pair<THelpIdList*, THelpRedirects*> SelectHelpSource(const ui::TControl* control,
                                                            std::string& helpFile);
  // The topic of "Dlg_" + the control's name; 0 for none (also for no control).
  int32_t TopicForControl(const ui::TControl* control, std::string& helpFile);
  // The first help container among the children of `parent` with a topic, searching into the
  // first container child when it has none; none when there is none.
  ui::TControl* FindHelpContainer(ui::TControl* parent, std::string& helpFile);
  // F1 help for a control.
  virtual void ShowControlHelp(ui::TControl* control);
  int32_t LookupWhatsThis(std::string_view controlName, std::string_view containerName,
                          std::string_view classKey, std::string& helpFile);
  // The what's-this popup for the control that owns `window`, at `point`.
  void ShowWhatsThisHelp(ui::WindowHandle window, ui::TPoint point);

  bool ChildKey(uint16_t key, ui::TControl& control) override;
  void WMHelp(const ui::THelpInfo& info) override;
};

// ---- Server dialogs ----

class TServerDialog : public TFormWithHelp {
 public:
  static const ui::TClass& StaticClass();
  const ui::TClass& ClassType() const override { return StaticClass(); }

  ui::TTeThemeEngine* ThemeEngine = nullptr;
  ui::TTeThemeForm* ThemeForm = nullptr;

  // The caption buttons of the themed frame: close and help.
  virtual ui::TKsBorderIcons ThemeBorderIcons() const;
  void SetupTheme();
  // Gives a component and everything in it the dialog's look.
  void ApplyDialogStyle(ui::TComponent& component);

  // Construction: the stored contents are read (and Loaded runs), then the dialog is centred on
  // the active monitor.
  void AfterConstruction() override;
  void Loaded() override;
  void ShowingChanged() override;

 protected:
  void CreateParamsFor(ui::CreateParams& params) override;
  void Notification(ui::TComponent& component, ui::TOperation operation) override;
  void ControlChange(ui::TControl& control, bool inserting) override;
};

// ---- Placement ----

// CentreOnActiveMonitor (runtime/EDAClientMessageBox.h) centres a form on the monitor of the
// active window, for the message boxes and the server dialogs alike.
// Places a window horizontally centred and a third of the free height down on a monitor.
void PlaceOnMonitor(ui::WindowHandle window, ui::MonitorHandle monitor);

// ---- Interceptions of the form layer ----

// One interception: the hook point it is installed on (none while it is not in place) and what
// was in place there before.
template <class Signature>
struct PatchRecord {
  ui::HookPoint<Signature>* Target = nullptr;
  typename ui::HookPoint<Signature>::Function Saved = nullptr;
};

template <class Signature>
void InstallPatch(ui::HookPoint<Signature>& target,
                  typename ui::HookPoint<Signature>::Function replacement,
                  PatchRecord<Signature>& record) {
  record.Saved = target.Exchange(replacement);
  record.Target = &target;
}

template <class Signature>
void RemovePatch(PatchRecord<Signature>& record) {
  if (record.Target == nullptr) return;
  record.Target->Exchange(record.Saved);
  record.Target = nullptr;
}

// The file dialog that shows nothing: it only learns the hook procedure that the framework gives
// the system's dialog.
class TFakeDialog : public ui::TOpenDialog {
 public:
  ui::FileDialogHookPoint* CapturedHook = nullptr;

 protected:
  bool RunSystemDialog(ui::FileDialogParams& params) override;
};

// The framework's handler of `message` that `cls` itself declares; none when it declares none.
ui::HookPoint<void(ui::TCustomForm&)>* FindMessageHandler(const ui::TClass& cls, uint32_t message);
ui::FileDialogHookPoint* CaptureDialogHook();

// The file name of the executable of the development environment in which the forms are designed.
std::string_view DevelopmentHostName();
// True when the process's main executable is the development environment (compared by file name,
// ignoring case).
bool IsDevelopmentHost();
bool IsDevelopmentHost(std::string_view executablePath);

// Module start: installs the four interceptions unless the process is the development environment.
void InstallFormHooks();
void InstallFormHooksFor(bool developmentHost);
// Module unload: removes what InstallFormHooks installed.
void RemoveFormHooks();

// Module-wide state of the interceptions, for inspection.
struct FormHooksState {
  PatchRecord<void(ui::TWinControl&, ui::TControl&)> InsertControl;
  PatchRecord<void(ui::TCustomForm&)> ShowingChanged;
  PatchRecord<intptr_t(ui::WindowHandle, uint32_t, uintptr_t, intptr_t)> DialogHook;
  PatchRecord<bool(ui::TOpenDialog&)> ExecuteStep;
  ui::HookPoint<void(ui::TCustomForm&)>* ShowingChangedHandler = nullptr;
  ui::FileDialogHookPoint* CapturedDialogHook = nullptr;
  const ui::TClass* MessageDialogClass = nullptr;
  ui::MonitorHandle FileDialogMonitor = nullptr;
  bool HooksInstalled = false;
};
const FormHooksState& FormHooks();

}  // namespace qv
