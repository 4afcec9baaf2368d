#include "services/Rt_RecentExpressions.h"

#include <algorithm>
#include <exception>
#include <utility>

#include "platform/Files.h"
#include "platform/Text.h"
#include "runtime/Boundary.h"
#include "runtime/EDAClientMessageBox.h"
#include "runtime/RT_ServerImplementation.h"

namespace qv {

namespace {
std::unique_ptr<TRecentExpressionList> recentExpressions;

std::string CurrentModuleName() {
  InterfaceRef<IServerModule> module = CurrentServerModule();
  if (module.Get() == nullptr) return {};
  const char* name = module->GetModuleName();
  return name != nullptr ? name : "";
}
}  // namespace

// ---- TMethodList ----

int TMethodList::Add(Method method) {
  methods_.emplace_back(nextId_, std::move(method));
  return nextId_++;
}

void TMethodList::Remove(int id) {
  std::erase_if(methods_, [id](const auto& m) { return m.first == id; });
}

void TMethodList::CallAll(TRecentExpressionList& sender) const {
  // A copy, so that a listener may add or remove listeners.
  auto methods = methods_;
  for (const auto& [id, method] : methods) method(sender);
}

// ---- Encoding ----

std::string EncodeExpression(std::string_view expression) {
  std::string bars;
  for (char c : expression) {
    bars += c;
    if (c == '|') bars += '|';
  }
  std::string out;
  for (std::size_t i = 0; i < bars.size(); ++i) {
    if (bars[i] == '\r' && i + 1 < bars.size() && bars[i + 1] == '\n') {
      out += '|';
      ++i;
    } else {
      out += bars[i];
    }
  }
  return out;
}

std::string DecodeExpression(std::string_view stored) {
  std::string s(stored);
  for (auto i = static_cast<std::ptrdiff_t>(s.size()) - 1; i >= 0; --i) {
    auto at = static_cast<std::size_t>(i);
    if (s[at] != '|') continue;
    s.erase(at, 1);
    if (i > 0 && s[at - 1] == '|')
      --i;  // a pair: the bar before stays as a literal bar
    else
      s.insert(at, "\r\n");
  }
  return s;
}

std::string GetCompanyDataFolder() {
  std::string base = platform::ApplicationDataFolder();
  // A fresh Linux account may lack its configuration folder; Windows always has this one.
  if (!base.empty() && !platform::DirectoryExists(base)) platform::MakeDirectory(base);
  std::string folder = base + std::string(platform::PathSeparator) + "Norvek";
  if (!platform::DirectoryExists(folder)) platform::MakeDirectory(folder);  // failure shows later
  return folder;
}

// ---- TRecentExpressionList ----

TRecentExpressionList::TRecentExpressionList() : TRecentExpressionList(CurrentModuleName()) {}

TRecentExpressionList::TRecentExpressionList(std::string ownerName) {
  auto builtIn = std::make_unique<TRecentExpression>();
  builtIn->Description = "(All)";
  builtIn->BuiltIn = true;
  entries_.push_back(Entry{std::string(), std::move(builtIn)});
  ownerName_ = std::move(ownerName);
  Load();
}

TRecentExpressionList::~TRecentExpressionList() = default;

void TRecentExpressionList::Load() {
  // The example file only seeds a history that does not exist yet: a per-user file, even an empty
  // one, hides it. The registry copy is never read.
  std::string recent = RecentFileName();
  if (platform::FileExists(recent)) {
    LoadFromFile(recent);
    return;
  }
  std::string example = ExampleFileName();
  if (platform::FileExists(example)) LoadFromFile(example);
}

const std::string& TRecentExpressionList::Strings(int32_t index) const {
  if (index < 0 || index >= Count()) throw ListIndexError(index);
  return entries_[static_cast<std::size_t>(index)].Text;
}

int32_t TRecentExpressionList::IndexOf(std::string_view text) const {
  for (int32_t i = 0; i < Count(); ++i)
    if (platform::CompareTextIgnoreCase(entries_[static_cast<std::size_t>(i)].Text, text) == 0)
      return i;
  return -1;
}

void TRecentExpressionList::AddExpression(std::string_view expression,
                                          std::string_view description) {
  if (expression.empty()) return;
  auto object = std::make_unique<TRecentExpression>();
  object->Expression = expression;
  object->Description = description;
  entries_.push_back(Entry{std::string(expression), std::move(object)});
  if (Count() > MaxEntries) Delete(Count() - 1);
}

TRecentExpression* TRecentExpressionList::GetExpression(int32_t index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return entries_[static_cast<std::size_t>(index)].Object.get();
}

void TRecentExpressionList::Insert(int32_t index, std::string text,
                                   std::unique_ptr<TRecentExpression> object) {
  if (index < 0 || index > Count()) throw ListIndexError(index);
  entries_.insert(entries_.begin() + index, Entry{std::move(text), std::move(object)});
}

void TRecentExpressionList::Delete(int32_t index) {
  if (index < 0 || index >= Count()) throw ListIndexError(index);
  entries_.erase(entries_.begin() + index);  // frees the entry's object
}

void TRecentExpressionList::Move(int32_t currentIndex, int32_t newIndex) {
  if (currentIndex == newIndex) return;
  if (currentIndex < 0 || currentIndex >= Count()) throw ListIndexError(currentIndex);
  // After the removal the entry can go anywhere from the front to the end of the shorter list.
  if (newIndex < 0 || newIndex >= Count()) throw ListIndexError(newIndex);
  Entry moving = std::move(entries_[static_cast<std::size_t>(currentIndex)]);
  entries_.erase(entries_.begin() + currentIndex);
  entries_.insert(entries_.begin() + newIndex, std::move(moving));
  NotifyListeners();
}

void TRecentExpressionList::NotifyListeners() {
  listeners_.CallAll(*this);
}

std::string TRecentExpressionList::SectionName() const {
  return "Recent " + ownerName_ + " Filter Expressions";
}

std::string TRecentExpressionList::RecentFileName() const {
  return GetCompanyDataFolder() + std::string(platform::PathSeparator) + ownerName_ +
         "RecentFilters.Txt";
}

std::string TRecentExpressionList::ExampleFileName() const {
  return platform::ExtractFilePath(platform::HostExecutablePath()) + "System" +
         std::string(platform::PathSeparator) + "Example" + ownerName_ + "Filters.Txt";
}

void TRecentExpressionList::LoadFromFile(const std::string& fileName) {
  if (!platform::FileExists(fileName)) return;
  bool keyed = false;
  {
    platform::IniFile file(fileName);
    keyed = platform::CompareTextIgnoreCase(file.ReadString(SectionName(), "NewFileFormat", ""),
                                            "True") == 0;
    if (keyed) LoadFromIni(file);
  }
  if (!keyed) LoadOldFormat(fileName);
}

void TRecentExpressionList::LoadOldFormat(const std::string& fileName) {
  if (!platform::FileExists(fileName)) return;
  std::string pending;
  for (const std::string& line : platform::ReadTextLines(fileName)) {
    if (!line.empty()) {
      if (!pending.empty()) pending += "\r\n";
      pending += line;
      continue;
    }
    if (!pending.empty()) AddExpression(pending, "");
    pending.clear();
  }
  // An expression that no empty line ends is not taken.
}

void TRecentExpressionList::LoadFromIni(platform::IniStore& source) {
  const std::string section = SectionName();
  int32_t count = source.ReadInteger(section, "RecentExpressionCount", 0);
  // Key number 1 is never written; the stored keys run from 2 to the count.
  for (int32_t n = 1; n <= count; ++n) {
    std::string number = std::to_string(n);
    std::string expression =
        DecodeExpression(source.ReadString(section, "RecentExpression" + number, ""));
    std::string description = source.ReadString(section, "RecentDescription" + number, "");
    if (!expression.empty()) AddExpression(expression, description);
  }
}

void TRecentExpressionList::SaveToIni(platform::IniStore& target) const {
  const std::string section = SectionName();
  target.EraseSection(section);
  target.WriteString(section, "NewFileFormat", "True");
  target.WriteInteger(section, "RecentExpressionCount", Count());
  for (int32_t i = FirstStoredIndex(); i < Count(); ++i) {
    const TRecentExpression& e = *entries_[static_cast<std::size_t>(i)].Object;
    std::string number = std::to_string(i + 1);
    target.WriteString(section, "RecentExpression" + number, EncodeExpression(e.Expression));
    target.WriteString(section, "RecentDescription" + number, e.Description);
  }
}

void TRecentExpressionList::SaveToFile(const std::string& fileName) const {
  platform::IniFile file(fileName);
  SaveToIni(file);
  file.Commit();
}

void TRecentExpressionList::SaveToRegistry() const {
  platform::UserRegistryKey key(CompanyRegistryKey);
  SaveToIni(key);
  key.Commit();
}

void TRecentExpressionList::WriteCopies() const {
  SaveToRegistry();
  SaveToFile(RecentFileName());
}

// ---- The module's list ----

TRecentExpressionList* RecentExpressions() {
  return recentExpressions.get();
}

void CreateRecentExpressions() {
  recentExpressions = std::make_unique<TRecentExpressionList>();
}

void FreeRecentExpressions() noexcept {
  std::unique_ptr<TRecentExpressionList> list = std::move(recentExpressions);
  if (list == nullptr) return;
  // Each copy on its own: a registry that refuses the history must not cost the file copy.
  auto attempt = [&](std::string_view where, auto&& write) {
    std::string reason;
    try {
      write();
      return;
    } catch (const std::exception& e) {
      reason = e.what();
    } catch (...) {
      reason = "unknown error";
    }
    try {
      ShowError(list->OwnerName() + " could not save its recent filter expressions to " +
                std::string(where) + ": " + reason);
    } catch (...) {
      // Nothing more can be done; the module's destruction goes on.
    }
  };
  attempt("the registry", [&] { list->SaveToRegistry(); });
  attempt("its file", [&] { list->SaveToFile(list->RecentFileName()); });
}

}  // namespace qv
