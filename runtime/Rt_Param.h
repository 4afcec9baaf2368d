#pragma once
// Process parameter texts: "|"-separated Name=Value segments. The first "=" of a segment separates
// name and value; names compare without regard to ASCII case and surrounding characters of codes
// 0 to 32; values are kept exactly as written. There is no quoting: no name or value can hold "|".
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

struct TParameter {
  std::string Name;   // at most 255 characters
  std::string Value;  // may be empty
};

using TParameterList = std::vector<TParameter>;

constexpr std::size_t MaxParameterName = 255;
// The size of the parameter buffers the module hands to host processes.
constexpr std::size_t ParameterBufferSize = 4096;

// Replaces the list's contents with the parameters of `text`. Segments without "=" and segments
// whose trimmed name is empty are skipped; a name keeps at most 255 characters; a value is kept
// whole, however long.
void ParseParameters(TParameterList& list, std::string_view text);
void ClearParameters(TParameterList& list);
// The first entry whose name matches by SameParameterName, or none.
TParameter* FindParameter(TParameterList& list, std::string_view name);
// Appends `name` (trimmed, cut to 255 characters) with `value`; does nothing for an empty name.
void AddParameter(TParameterList& list, std::string_view name, std::string_view value);
// The list as parameter text: Name=Value pairs joined by "|", in list order.
std::string FormatParameters(const TParameterList& list);
// Writes the list as parameter text with its terminator into `buffer`. A text that does not fit
// is not written at all: the buffer keeps its previous contents and the result is false.
bool WriteParameters(const TParameterList& list, std::span<char> buffer);
// Names equal after folding a-z to A-Z and trimming characters of codes 0 to 32.
bool SameParameterName(std::string_view a, std::string_view b);
// Sets `name` to `value` (trimmed) in the parameter text held in `buffer`, rewriting the whole
// buffer in normal form. Name and value keep at most 255 characters. False, with the buffer
// unchanged, when the result would not fit.
bool SetParameterValue(std::span<char> buffer, std::string_view name, std::string_view value);

// Removes characters of codes 0 to 32 from both ends.
std::string_view TrimControl(std::string_view text);

}  // namespace qv
