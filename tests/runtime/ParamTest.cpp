#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "runtime/Rt_Param.h"

namespace qv {
namespace {

std::string Parsed(std::string_view text) {
  TParameterList list;
  ParseParameters(list, text);
  std::string out;
  for (const TParameter& p : list) out += "[" + p.Name + "]=[" + p.Value + "]";
  return out;
}

TEST(ParseParameters, ReadsTheGrammar) {
  struct Case {
    const char* text;
    const char* parsed;
  };
  for (Case c : {
           Case{"", ""},
           Case{"A=1", "[A]=[1]"},
           Case{"A=1=2", "[A]=[1=2]"},
           Case{"X|B=2", "[B]=[2]"},
           Case{"=5|C=3", "[C]=[3]"},
           Case{"||", ""},
           Case{"A=1|a=2", "[A]=[1][a]=[2]"},
           Case{"  Name \t= spaced value |B=", "[Name]=[ spaced value ][B]=[]"},
           Case{"A=1|", "[A]=[1]"},
           Case{"Location.X=1250|Location.Y=-300", "[Location.X]=[1250][Location.Y]=[-300]"},
       }) {
    EXPECT_EQ(Parsed(c.text), c.parsed) << c.text;
  }
}

TEST(ParseParameters, FindsTheFirstOfSameNames) {
  TParameterList list;
  ParseParameters(list, "A=1|a=2");
  ASSERT_NE(FindParameter(list, " a "), nullptr);
  EXPECT_EQ(FindParameter(list, "a")->Value, "1");
  EXPECT_EQ(FindParameter(list, "b"), nullptr);
}

TEST(ParseParameters, KeepsNamesTo255CharactersAndValuesWhole) {
  std::string longName(300, 'N');
  std::string longValue(100000, 'v');  // longer than any fixed parser buffer
  TParameterList list;
  ParseParameters(list, longName + "=" + longValue);
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list[0].Name, std::string(255, 'N'));
  EXPECT_EQ(list[0].Value, longValue);
}

TEST(SameParameterName, FoldsOnlyAsciiLettersAndTrimsControls) {
  EXPECT_TRUE(SameParameterName("footprint", " FootPrint\t"));
  EXPECT_TRUE(SameParameterName("\x01X\x20", "x"));
  EXPECT_FALSE(SameParameterName("\xe9", "\xc9"));  // letters beyond a-z compare as they are
  EXPECT_FALSE(SameParameterName("AB", "A B"));
}

template <std::size_t N>
std::string Text(const std::array<char, N>& buffer) {
  return std::string(buffer.data());
}

TEST(SetParameterValue, FillsAndNormalisesABuffer) {
  struct Case {
    const char* before;
    const char* name;
    const char* value;
    const char* after;
  };
  for (Case c : {
           Case{"", "Location.X", "1250", "Location.X=1250"},
           Case{"Location.X=1250", "Location.Y", "-300", "Location.X=1250|Location.Y=-300"},
           Case{" footprint =OLD|Action=All", "FootPrint", "NEW", "footprint=NEW|Action=All"},
           Case{"", "FootPrint", "  SO8 \t", "FootPrint=SO8"},
           Case{"A= kept |junk", "B", "", "A= kept |B="},
           Case{"", "  ", "x", ""},
           Case{"", "A|B", "1=2", "A|B=1=2"},
       }) {
    std::array<char, ParameterBufferSize> buffer{};
    std::copy_n(c.before, std::char_traits<char>::length(c.before), buffer.begin());
    EXPECT_TRUE(SetParameterValue(buffer, c.name, c.value)) << c.before;
    EXPECT_EQ(Text(buffer), c.after) << c.before;
  }
}

TEST(SetParameterValue, LeavesTheBufferWholeWhenTheTextWouldNotFit) {
  std::array<char, 16> buffer{};
  ASSERT_TRUE(SetParameterValue(buffer, "Key", "0123456789"));  // 14 characters + terminator
  std::array<char, 16> before = buffer;
  EXPECT_FALSE(SetParameterValue(buffer, "Key", "012345678901"));  // would need 16 + 1
  EXPECT_EQ(buffer, before);
  EXPECT_EQ(Text(buffer), "Key=0123456789");
  std::array<char, 0> none{};
  EXPECT_FALSE(SetParameterValue(none, "A", "1"));
}

TEST(WriteParameters, WritesAllOrNothing) {
  TParameterList list;
  AddParameter(list, "A", "1");
  AddParameter(list, "Bee", "22");
  std::array<char, 12> exact{};
  EXPECT_TRUE(WriteParameters(list, exact));
  EXPECT_EQ(Text(exact), "A=1|Bee=22");
  std::array<char, 10> small{'u', 'n', 't', 'o', 'u', 'c', 'h', 'e', 'd', '\0'};
  EXPECT_FALSE(WriteParameters(list, small));
  EXPECT_EQ(Text(small), "untouched");
}

}  // namespace
}  // namespace qv
