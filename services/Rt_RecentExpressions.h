#pragma once
// The recent expressions store: the filter expressions a user has entered, each with a free
// description, kept from one run of the host to the next. There is one store per server module;
// the module's name is part of every file, section and key name, so several modules keep separate
// histories side by side. The store keeps two copies of the same data: a per-user file (read at
// start, written at end) and a per-user registry key (written at end, never read here).
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/IniStore.h"

namespace qv {

// One remembered expression.
struct TRecentExpression {
  // The filter expression; several lines are separated by CR LF.
  std::string Expression;
  // Free text given with the expression; may be empty.
  std::string Description;
  // True only for the built-in "(All)" entry.
  bool BuiltIn = false;
};

class TRecentExpressionList;

// An ordered list of change listeners, each called with the list that changed.
class TMethodList {
 public:
  using Method = std::function<void(TRecentExpressionList& sender)>;
  // Adds a listener at the end; the number it answers removes it again.
  int Add(Method method);
  void Remove(int id);
  std::size_t Count() const { return methods_.size(); }
  // Calls every listener in the order held.
  void CallAll(TRecentExpressionList& sender) const;

 private:
  std::vector<std::pair<int, Method>> methods_;
  int nextId_ = 1;
};

// The list of remembered expressions. Entry 0 is the built-in "(All)" entry, which is never stored;
// entries from index 1 on are remembered expressions whose text equals their expression. Each entry
// owns its TRecentExpression. Texts compare without regard to case; the list is not sorted and
// accepts duplicates.
class TRecentExpressionList {
 public:
  // At most this many entries, the built-in one included.
  static constexpr int32_t MaxEntries = 100;

  // Builds the list for the current server module, named after it, and loads its history: the
  // per-user file when it exists, else the example file beside the host when that exists. Errors
  // of the file services reach the caller.
  TRecentExpressionList();
  // The same for the module named `ownerName`.
  explicit TRecentExpressionList(std::string ownerName);
  // Frees the entries; writes nothing (WriteCopies does).
  ~TRecentExpressionList();
  TRecentExpressionList(const TRecentExpressionList&) = delete;
  TRecentExpressionList& operator=(const TRecentExpressionList&) = delete;

  int32_t Count() const { return static_cast<int32_t>(entries_.size()); }
  // The entry's text; throws ListIndexError outside the list.
  const std::string& Strings(int32_t index) const;
  // Index of the first entry whose text equals `text` ignoring case, or -1.
  int32_t IndexOf(std::string_view text) const;

  // Appends an entry, then keeps the list at MaxEntries by removing the last entry, the one just
  // appended, when it has grown beyond. Nothing happens for an empty expression. No duplicate
  // check.
  void AddExpression(std::string_view expression, std::string_view description);
  // The entry's expression object, or none outside the list.
  TRecentExpression* GetExpression(int32_t index) const;
  // Inserts an entry with its object at `index` (0 to Count()); throws ListIndexError otherwise.
  void Insert(int32_t index, std::string text, std::unique_ptr<TRecentExpression> object);
  // Frees the entry's object and removes the entry; throws ListIndexError outside the list.
  void Delete(int32_t index);
  // Moves an entry with its object so that it ends up at `newIndex`, then notifies the listeners.
  // Equal indexes change nothing and notify nobody. Throws ListIndexError, before anything changes,
  // when either index lies outside the list.
  void Move(int32_t currentIndex, int32_t newIndex);
  // The index of the first entry that is written to storage.
  static constexpr int32_t FirstStoredIndex() { return 1; }
  void NotifyListeners();
  TMethodList& Listeners() { return listeners_; }

  const std::string& OwnerName() const { return ownerName_; }
  // "Recent " + owner + " Filter Expressions".
  std::string SectionName() const;
  // The per-user file: the company data folder, then owner + "RecentFilters.Txt".
  std::string RecentFileName() const;
  // The example file: the host executable's folder, then "System", then "Example" + owner +
  // "Filters.Txt".
  std::string ExampleFileName() const;

  // Loads a file in whichever of the two formats it holds; nothing when it does not exist.
  void LoadFromFile(const std::string& fileName);
  // Loads the line-based format of earlier versions: expressions as plain text, each followed by
  // an empty line; nothing when the file does not exist.
  void LoadOldFormat(const std::string& fileName);
  // Loads the keyed format from the section SectionName.
  void LoadFromIni(platform::IniStore& source);
  // Writes the keyed format into the section SectionName, replacing what it held; other sections
  // stay as they are.
  void SaveToIni(platform::IniStore& target) const;
  // Writes the keyed format into the file; the file is replaced as a whole, so a failure leaves
  // the previous file untouched.
  void SaveToFile(const std::string& fileName) const;
  // Writes the keyed format under the per-user registry key.
  void SaveToRegistry() const;
  // Writes both copies: the registry copy, then the per-user file. Errors reach the caller.
  void WriteCopies() const;

 private:
  struct Entry {
    std::string Text;
    std::unique_ptr<TRecentExpression> Object;
  };
  void Load();

  std::vector<Entry> entries_;
  std::string ownerName_;
  TMethodList listeners_;
};

// The per-user registry key of the maker's plug-ins.
inline constexpr std::string_view CompanyRegistryKey = "Software\\Norvek\\Vantrope";

// An expression in its one-line stored form: each "|" doubled, then each CR LF made "|". A lone
// CR or LF stays as it is.
std::string EncodeExpression(std::string_view expression);
// A stored form back to the expression. A run of bars decodes from its right end: each pair gives
// one bar, and a single bar left over at its left end gives a line break before those bars.
std::string DecodeExpression(std::string_view stored);
// The maker's per-user data folder ("Norvek" in the application-data folder), created when
// missing; without a trailing separator. On Linux the separator is "/", on Windows "\".
std::string GetCompanyDataFolder();

// The loaded module's one list; none before the server module creates it and after it frees it.
TRecentExpressionList* RecentExpressions();
// Creates the module's list (loading its history); errors reach the caller.
void CreateRecentExpressions();
// Writes both copies of the module's list and frees it. A copy that cannot be written is reported
// to the user and the rest still runs: this is called while the server module is destroyed, which
// must go on.
void FreeRecentExpressions() noexcept;

}  // namespace qv
