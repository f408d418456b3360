#include <gtest/gtest.h>

#include <cmath>

#include "script/json.h"

namespace kiro {
namespace {

TEST(ScriptJson, StringsAreEscapedAndAlwaysValidUtf8) {
  const struct {
    std::string text;
    std::string json;
  } cases[] = {
      {"say \"hi\"\\", R"("say \"hi\"\\")"},
      {"a\nb\tc\r\x01\x1f", R"("a\nb\tc\r\u0001\u001f")"},
      {"灰色.png", "\"灰色.png\""},
      {"\xF0\x9F\x93\xB7", "\"\xF0\x9F\x93\xB7\""},
      {"a\xFF" "b", "\"a\xEF\xBF\xBD" "b\""},             // not UTF-8
      {"\xE7\x81", "\"\xEF\xBF\xBD\xEF\xBF\xBD\""},    // cut short
      {"\xC0\xAF", "\"\xEF\xBF\xBD\xEF\xBF\xBD\""},    // overlong
      {"\xE0\x80\xAF", "\"\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\""},  // overlong
      {"\xED\xA0\x80", "\"\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\""},  // a surrogate
  };
  for (const auto& c : cases) EXPECT_EQ(Json(c.text).dump(), c.json) << c.json;
}

TEST(ScriptJson, ObjectsKeepTheirOrderAndNumbersTheirShortestForm) {
  const Json value = Json::Object{{"z", 1},
                                  {"a", Json::Array{37.5, 320.0, -0.25, std::nan(""), Json(), false}},
                                  {"k\"", Json::Object{}}};
  EXPECT_EQ(value.dump(), R"({"z":1,"a":[37.5,320,-0.25,null,null,false],"k\"":{}})");
}

}  // namespace
}  // namespace kiro
