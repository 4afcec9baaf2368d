#include "services/Rt_forms.h"

#include <algorithm>
#include <charconv>

#include "platform/Files.h"
#include "platform/HelpEngine.h"
#include "platform/Module.h"
#include "platform/Text.h"
#include "runtime/InterfaceRef.h"
#include "runtime/RT_ServerImplementation.h"
#include "ui/ComCtrls.h"

namespace qv {

using namespace ui;

// ---- Id lists ----

namespace {
bool KeyLess(const std::pair<std::string, int32_t>& a, std::string_view b) {
  return platform::CompareTextIgnoreCase(a.first, b) < 0;
}
}  // namespace

void THelpIdList::Add(std::string key, int32_t value) {
  items_.emplace_back(std::move(key), value);
  sorted_ = false;
}

void THelpIdList::Sort() {
  std::stable_sort(items_.begin(), items_.end(), [](const auto& a, const auto& b) {
    return platform::CompareTextIgnoreCase(a.first, b.first) < 0;
  });
  sorted_ = true;
}

std::optional<int32_t> THelpIdList::Find(std::string_view key) const {
  if (sorted_) {
    auto it = std::lower_bound(items_.begin(), items_.end(), key, KeyLess);
    if (it != items_.end() && platform::CompareTextIgnoreCase(it->first, key) == 0)
      return it->second;
    return std::nullopt;
  }
  for (const auto& item : items_)
    if (platform::CompareTextIgnoreCase(item.first, key) == 0) return item.second;
  return std::nullopt;
}

// ---- File names ----

namespace {
std::optional<HelpLocation>& LocationOverride() {
  static std::optional<HelpLocation> location;
  return location;
}

bool IsSeparator(char c) {
  return c == '/' || c == '\\' || c == ':';
}

// The position of the extension's dot in the file name part, or npos.
std::size_t ExtensionDot(std::string_view path) {
  for (std::size_t i = path.size(); i-- > 0;) {
    if (path[i] == '.') return i;
    if (IsSeparator(path[i])) break;
  }
  return std::string_view::npos;
}

std::string WithoutExtension(std::string_view path) {
  return std::string(path.substr(0, ExtensionDot(path)));
}

std::string ChangeExtension(std::string_view path, std::string_view extension) {
  return WithoutExtension(path) + std::string(extension);
}

std::string FileNamePart(std::string_view path) {
  std::size_t i = path.size();
  while (i > 0 && !IsSeparator(path[i - 1])) --i;
  return std::string(path.substr(i));
}

std::string HelpFolder() {
  return CurrentHelpLocation().HostFolder + "Help" + std::string(platform::PathSeparator);
}

// Reads a whole number the way the id files write them; anything else is 0.
int32_t WholeNumberOrZero(std::string_view text) {
  std::size_t start = 0;
  while (start < text.size() && text[start] == ' ') ++start;
  text.remove_prefix(start);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  int32_t value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || text.empty()) return 0;
  return value;
}
}  // namespace

HelpLocation CurrentHelpLocation() {
  if (LocationOverride()) return *LocationOverride();
  return {platform::ExtractFilePath(platform::HostExecutablePath()),
          platform::ModuleFileName(platform::ThisModule())};
}

void SetHelpLocation(std::optional<HelpLocation> location) {
  LocationOverride() = std::move(location);
}

std::string ModuleHelpFile() {
  std::string name = WithoutExtension(FileNamePart(CurrentHelpLocation().ModuleFile));
  return HelpFolder() + ChangeExtension(name, ".hlp");
}

std::string WhatsThisHelpFile() {
  return WithoutExtension(ModuleHelpFile()) + "wth.hlp";
}

std::string MasterHelpFile() {
  return HelpFolder() + "vantropemaster.hlp";
}

std::string RedirectHelpFile(std::string_view moduleFile) {
  return HelpFolder() + ChangeExtension(FileNamePart(moduleFile), ".hlp");
}

std::string IdFileOf(std::string_view helpFile) {
  return ChangeExtension(helpFile, ".id");
}

// ---- Lookups ----

void LoadHelpIds(THelpIdList& topics, THelpRedirects& redirects, const std::string& helpFile) {
  std::string idFile = IdFileOf(helpFile);
  if (!platform::FileExists(idFile)) return;
  std::vector<std::string> lines;
  try {
    lines = platform::ReadTextLines(idFile);
  } catch (const std::exception&) {
    return;  // an id file that cannot be read gives no keys, like a missing one
  }
  if (lines.empty()) return;
  for (const std::string& line : lines) {
    std::size_t equals = line.find('=');
    if (equals == std::string::npos) continue;
    std::string key = line.substr(0, equals);
    std::string_view rest = std::string_view(line).substr(equals + 1);
    std::size_t comma = rest.find(',');
    if (comma != std::string_view::npos) {
      redirects.emplace_back(rest.substr(comma + 1));
      topics.Add(std::move(key), -1 - static_cast<int32_t>(redirects.size() - 1));
    } else {
      topics.Add(std::move(key), WholeNumberOrZero(rest));
    }
  }
  if (!topics.Empty()) topics.Sort();
}

int32_t LookupHelpTopic(std::string_view name, std::string_view prefix, std::string& helpFile,
                        THelpIdList& topics, THelpRedirects& redirects) {
  if (topics.Empty()) LoadHelpIds(topics, redirects, helpFile);
  std::string key(name);
  if (!prefix.empty()) key = "Dlg_" + std::string(prefix) + "_" + std::string(name);
  std::optional<int32_t> value = topics.Find(key);
  if (!value) return 0;
  if (*value >= 0) return *value;
  int64_t index = -1 - int64_t(*value);
  if (index >= static_cast<int64_t>(redirects.size())) return 0;
  std::string target = redirects[static_cast<std::size_t>(index)];
  return FollowHelpRedirect(target, helpFile);
}

namespace {
// The redirect targets being followed, outermost first.
std::vector<std::string>& RedirectChain() {
  static std::vector<std::string> chain;
  return chain;
}
}  // namespace

int32_t FollowHelpRedirect(std::string_view target, std::string& helpFile) {
  auto& chain = RedirectChain();
  for (const std::string& followed : chain)
    if (platform::CompareTextIgnoreCase(followed, target) == 0) return 0;  // a loop: give up
  InterfaceRef<IClient> client = CurrentClient();
  if (!client) return 0;
  std::string t(target);
  const char* serverFile = client->ServerFileForTarget(t.c_str());
  if (serverFile == nullptr || *serverFile == '\0') return 0;
  helpFile = RedirectHelpFile(serverFile);
  if (!platform::FileExists(helpFile)) return 0;
  std::string key = t;
  std::replace(key.begin(), key.end(), ':', '_');
  chain.push_back(t);
  struct Pop {
    std::vector<std::string>& chain;
    ~Pop() { chain.pop_back(); }
  } pop{chain};
  return LookupInHelpFile(key, helpFile);
}

int32_t LookupInHelpFile(std::string_view key, std::string& helpFile) {
  THelpIdList topics;
  THelpRedirects redirects;
  return LookupHelpTopic(key, {}, helpFile, topics, redirects);
}

bool IsHelpContainer(const TControl* control) {
  if (control == nullptr) return false;
  return control->InheritsFrom(TCustomForm::StaticClass()) ||
         control->InheritsFrom(TCustomFrame::StaticClass()) ||
         control->InheritsFrom(TTabSheet::StaticClass()) ||
         control->InheritsFrom(TKsCustomTabSheet::StaticClass()) ||
         control->InheritsFrom(TKsCustomTabControl::StaticClass());
}

// ---- TFormWithHelp ----

const TClass& TFormWithHelp::StaticClass() {
  static const TClass c("TFormWithHelp", &TForm::StaticClass());
  return c;
}

TFormWithHelp::TFormWithHelp() = default;

std::pair<THelpIdList*, THelpRedirects*> TFormWithHelp::SelectHelpSource(const TControl* control,
                                                                         std::string& helpFile) {
  if (control != nullptr && (control->InheritsFrom(TCustomForm::StaticClass()) ||
                             control->InheritsFrom(TCustomFrame::StaticClass()))) {
    helpFile = ModuleHelpFile();
    return {&HelpTopics, &HelpRedirects};
  }
  helpFile = WhatsThisHelpFile();
  return {&WhatsThisTopics, &WhatsThisRedirects};
}

int32_t TFormWithHelp::TopicForControl(const TControl* control, std::string& helpFile) {
  auto [topics, redirects] = SelectHelpSource(control, helpFile);
  if (control == nullptr) return 0;
  return LookupHelpTopic("Dlg_" + control->Name(), {}, helpFile, *topics, *redirects);
}

TControl* TFormWithHelp::FindHelpContainer(TControl* parent, std::string& helpFile) {
  auto* windowed = dynamic_cast<TWinControl*>(parent);
  if (windowed == nullptr) return nullptr;
  for (TControl* child : windowed->Controls()) {
    if (!IsHelpContainer(child)) continue;
    if (TopicForControl(child, helpFile) != 0) return child;
    return FindHelpContainer(child, helpFile);
  }
  return nullptr;
}

void TFormWithHelp::ShowControlHelp(TControl* control) {
  std::string helpFile;
  TControl* container = control;
  while (container != nullptr && !IsHelpContainer(container)) container = container->Parent();
  if (container == nullptr || container == this) container = FindHelpContainer(this, helpFile);
  if (auto* tabs = dynamic_cast<TKsCustomTabControl*>(container)) container = tabs->ActivePage();
  if (TopicForControl(container, helpFile) == 0) container = FindHelpContainer(container, helpFile);
  if (container == nullptr) container = this;
  int32_t topic = TopicForControl(container, helpFile);
  if (topic == 0 && container != this) topic = TopicForControl(this, helpFile);
  if (topic != 0) {
    InterfaceRef<IClient> client = CurrentClient();
    WindowHandle owner = client ? client->GetHelpOwnerWindow() : nullptr;
    platform::RunHelpCommand(owner, helpFile, platform::HelpCommand::Context,
                             static_cast<uintptr_t>(topic));
    return;
  }
  helpFile = MasterHelpFile();
  TPoint cursor = CurrentBackend().CursorPos();
  platform::RunHelpCommand(Handle(), helpFile, platform::HelpCommand::SetPopupPos,
                           platform::PopupPosition(cursor.X, cursor.Y));
  platform::RunHelpCommand(Handle(), helpFile, platform::HelpCommand::ContextPopup, 1);
}

int32_t TFormWithHelp::LookupWhatsThis(std::string_view controlName, std::string_view containerName,
                                       std::string_view classKey, std::string& helpFile) {
  int32_t topic =
      LookupHelpTopic(controlName, containerName, helpFile, WhatsThisTopics, WhatsThisRedirects);
  if (topic <= 0 && platform::CompareTextIgnoreCase(containerName, classKey) != 0)
    topic = LookupHelpTopic(controlName, classKey, helpFile, WhatsThisTopics, WhatsThisRedirects);
  return topic;
}

void TFormWithHelp::ShowWhatsThisHelp(WindowHandle window, TPoint point) {
  if (InterfaceRef<IClient> client = CurrentClient()) {
    InterfaceRef<IUnknown> context;
    client->GetHelpPopupContext(-1, "", context.Receive());
    if (context) static_cast<IHelpPopupContext*>(context.Get())->PreparePopup();
  }
  TControl* control = FindControl(window);
  if (control == nullptr) return;
  std::string helpFile = WhatsThisHelpFile();
  TControl* container = control->Parent();
  while (container != nullptr && !container->InheritsFrom(TCustomForm::StaticClass()) &&
         !container->InheritsFrom(TCustomFrame::StaticClass()))
    container = container->Parent();
  if (container == nullptr) container = this;
  std::string classKey(container->ClassName().substr(1));
  int32_t topic = LookupWhatsThis(control->Name(), container->Name(), classKey, helpFile);
  if (topic == 0 && control->Parent() != nullptr && control->Parent() != container)
    topic = LookupWhatsThis(control->Parent()->Name(), container->Name(), classKey, helpFile);
  platform::RunHelpCommand(Handle(), helpFile, platform::HelpCommand::SetPopupPos,
                           platform::PopupPosition(point.X, point.Y));
  platform::RunHelpCommand(Handle(), helpFile, platform::HelpCommand::ContextPopup,
                           static_cast<uintptr_t>(static_cast<uint32_t>(topic)));
}

bool TFormWithHelp::ChildKey(uint16_t key, TControl& control) {
  if (HelpEnabled && key == vkF1) {
    F1Pending = true;
    ShowControlHelp(&control);
    return true;
  }
  return TForm::ChildKey(key, control);
}

void TFormWithHelp::WMHelp(const THelpInfo& info) {
  if (HelpEnabled && info.ContextType == helpInfoWindow) {
    if (!F1Pending) ShowWhatsThisHelp(info.ItemHandle, info.MousePos);
    F1Pending = false;
    return;
  }
  TForm::WMHelp(info);
}

}  // namespace qv
