#include "runtime/Rt_Param.h"

#include <algorithm>
#include <cstring>

namespace qv {

namespace {
bool IsControlOrBlank(char c) { return static_cast<unsigned char>(c) <= 32; }
char UpperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
std::string_view CutTo(std::string_view text, std::size_t n) { return text.substr(0, n); }
}  // namespace

std::string_view TrimControl(std::string_view text) {
  while (!text.empty() && IsControlOrBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsControlOrBlank(text.back())) text.remove_suffix(1);
  return text;
}

void ClearParameters(TParameterList& list) { list.clear(); }

void AddParameter(TParameterList& list, std::string_view name, std::string_view value) {
  std::string_view trimmed = CutTo(TrimControl(name), MaxParameterName);
  if (trimmed.empty()) return;
  list.push_back(TParameter{std::string(trimmed), std::string(value)});
}

void ParseParameters(TParameterList& list, std::string_view text) {
  ClearParameters(list);
  // Stop at an embedded terminator, as a zero-terminated text would.
  if (auto end = text.find('\0'); end != std::string_view::npos) text = text.substr(0, end);
  while (true) {
    std::size_t bar = text.find('|');
    std::string_view segment = text.substr(0, bar);
    if (std::size_t eq = segment.find('='); eq != std::string_view::npos) {
      // The scanner drops name characters beyond the 255th before trimming.
      std::string_view name = CutTo(segment.substr(0, eq), MaxParameterName);
      AddParameter(list, name, segment.substr(eq + 1));
    }
    if (bar == std::string_view::npos) break;
    text.remove_prefix(bar + 1);
  }
}

TParameter* FindParameter(TParameterList& list, std::string_view name) {
  auto it = std::find_if(list.begin(), list.end(),
                         [&](const TParameter& p) { return SameParameterName(p.Name, name); });
  return it == list.end() ? nullptr : &*it;
}

bool SameParameterName(std::string_view a, std::string_view b) {
  a = TrimControl(a);
  b = TrimControl(b);
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(),
                    [](char x, char y) { return UpperAscii(x) == UpperAscii(y); });
}

std::string FormatParameters(const TParameterList& list) {
  std::string text;
  for (std::size_t i = 0; i < list.size(); ++i) {
    if (i > 0) text += '|';
    text += list[i].Name;
    text += '=';
    text += list[i].Value;
  }
  return text;
}

bool WriteParameters(const TParameterList& list, std::span<char> buffer) {
  std::string text = FormatParameters(list);
  if (text.size() + 1 > buffer.size()) return false;
  std::memcpy(buffer.data(), text.c_str(), text.size() + 1);
  return true;
}

bool SetParameterValue(std::span<char> buffer, std::string_view name, std::string_view value) {
  if (buffer.empty()) return false;
  std::size_t length = std::find(buffer.begin(), buffer.end(), '\0') - buffer.begin();
  TParameterList list;
  ParseParameters(list, std::string_view(buffer.data(), length));
  std::string_view v = TrimControl(CutTo(value, MaxParameterName));
  name = CutTo(name, MaxParameterName);
  if (TParameter* found = FindParameter(list, name))
    found->Value = std::string(v);
  else
    AddParameter(list, name, v);
  return WriteParameters(list, buffer);
}

}  // namespace qv
