#include <locale.h>
#include <string.h>

#include <cctype>
#include <string>

#include "platform/Text.h"

namespace qv::platform {

namespace {
// The user's locale, made at first use and freed when the program ends or the library holding
// this code is unloaded (a module loaded and unloaded again must not leave it behind).
class OwnedLocale {
 public:
  OwnedLocale() {
    loc_ = newlocale(LC_COLLATE_MASK | LC_CTYPE_MASK, "", nullptr);
    if (loc_ == nullptr) loc_ = newlocale(LC_COLLATE_MASK | LC_CTYPE_MASK, "C", nullptr);
  }
  ~OwnedLocale() {
    if (loc_ != nullptr) freelocale(loc_);
  }
  OwnedLocale(const OwnedLocale&) = delete;
  OwnedLocale& operator=(const OwnedLocale&) = delete;
  locale_t Get() const { return loc_; }

 private:
  locale_t loc_ = nullptr;
};

locale_t UserLocale() {
  static OwnedLocale loc;
  return loc.Get();
}

std::string Folded(std::string_view s, locale_t loc) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(tolower_l(static_cast<unsigned char>(c), loc));
  return out;
}
}  // namespace

int CompareTextIgnoreCase(std::string_view a, std::string_view b) {
  locale_t loc = UserLocale();
  std::string fa = Folded(a, loc);
  std::string fb = Folded(b, loc);
  int r = strcoll_l(fa.c_str(), fb.c_str(), loc);
  // Collation may rank distinct texts equal (or stop at an embedded zero); fall back to the bytes.
  if (r == 0) r = fa.compare(fb);
  return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

}  // namespace qv::platform
