#include "frame/gbk.h"

#include <gtest/gtest.h>

namespace {

TEST(Gbk, ChineseTextCrossesBothWaysUnchanged) {
  const std::string samples[] = {"霜月奇谭工具v4.0【1510011924A版】",
                                 "乗",
                                 "O'Neil",
                                 "",
                                 "运行时出错!\r\n\r\n",
                                 "😀 beyond GBK"};
  for (const std::string& utf8 : samples)
    EXPECT_EQ(frame::Utf8(frame::Gbk(utf8)), utf8);
  EXPECT_EQ(frame::Gbk("错误"), std::string("\xB4\xED\xCE\xF3"));
  EXPECT_EQ(frame::Gbk("乗"), std::string("\x81\x5C"));  // a trail byte that looks like '\'
}

TEST(Gbk, BytesThatAreNoCharacterAreReplacedNotDropped) {
  EXPECT_EQ(frame::Utf8(std::string("a\xFF"
                                    "b")),
            "a\uFFFDb");
  EXPECT_EQ(frame::Utf8(std::string("x\xB4")), "x\uFFFD");  // a lead byte at the end
  EXPECT_EQ(frame::Gbk(std::string("a\xC3"
                                   "b")),
            "a?b");
}

}  // namespace
