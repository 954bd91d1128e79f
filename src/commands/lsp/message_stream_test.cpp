#include "commands/lsp/message_stream.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

namespace tracciato::lsp {
namespace {

struct FramingCase {
  const char* name;
  std::string stream;
  std::vector<std::string> bodies;  // read in order before the end
  std::string problem;              // how the stream ends; empty: cleanly
};

class Framing : public ::testing::TestWithParam<FramingCase> {};

TEST_P(Framing, ReadsEachBodyThenTellsHowTheStreamEnds) {
  std::istringstream in(GetParam().stream);
  for (const std::string& expected : GetParam().bodies) {
    const FramedMessage m = read_message(in);
    ASSERT_TRUE(m.body) << m.problem;
    EXPECT_EQ(*m.body, expected);
  }
  const FramedMessage end = read_message(in);
  EXPECT_FALSE(end.body);
  EXPECT_EQ(end.problem, GetParam().problem);
}

INSTANTIATE_TEST_SUITE_P(
    Messages, Framing,
    ::testing::Values(
        FramingCase{"TwoMessagesBackToBack",
                    "Content-Length: 2\r\n\r\n{}Content-Length: 7\r\n\r\n[1,2,3]",
                    {"{}", "[1,2,3]"},
                    ""},
        FramingCase{"OtherHeadersAndAnyCase",
                    "Content-Type: application/vscode-jsonrpc; charset=utf-8\r\n"
                    "content-length:  4 \r\n\r\nnull",
                    {"null"},
                    ""},
        FramingCase{"BareLineFeeds", "Content-Length: 2\n\n{}", {"{}"}, ""},
        FramingCase{"BytesBeyondAsciiCountedAsBytes",
                    "Content-Length: 4\r\n\r\n\"\xC3\xA0\"",
                    {"\"\xC3\xA0\""},
                    ""},
        FramingCase{"EmptyStream", "", {}, ""},
        FramingCase{
            "NoLength", "Content-Type: x\r\n\r\n{}", {}, "a message without a Content-Length"},
        FramingCase{"LengthNotANumber",
                    "Content-Length: 2x\r\n\r\n{}",
                    {},
                    "a Content-Length that is not a number"},
        FramingCase{"NegativeLength",
                    "Content-Length: -2\r\n\r\n{}",
                    {},
                    "a Content-Length that is not a number"},
        FramingCase{"LengthBeyondAnyEditor",
                    "Content-Length: 999999999999\r\n\r\n",
                    {},
                    "a Content-Length beyond 256 MiB"},
        FramingCase{"HeaderWithoutColon",
                    "Content-Length 2\r\n\r\n{}",
                    {},
                    "a header line without a colon"},
        FramingCase{
            "BodyCutShort", "Content-Length: 10\r\n\r\n{}", {}, "the stream ends inside a message"},
        FramingCase{"AHeaderLineAsLongAsAllowed",
                    "X-Padding: " + std::string(kLongestHeaderLine - 12, 'a') +
                        "\r\nContent-Length: 2\r\n\r\n{}",
                    {"{}"},
                    ""},
        FramingCase{"AHeaderLineWithoutEndIsReadOnlyToItsBound",
                    "Content-Length: 2" + std::string(kLongestHeaderLine * 4, ' '),
                    {},
                    "a header line longer than 8 KiB"},
        FramingCase{"HeadersCutShort",
                    "Content-Length: 10\r\n",
                    {},
                    "the stream ends inside a message's headers"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Framing, WritesTheLengthInBytes) {
  std::ostringstream out;
  write_message(out, "\"\xC3\xA0\"");
  EXPECT_EQ(out.str(), "Content-Length: 4\r\n\r\n\"\xC3\xA0\"");
}

}  // namespace
}  // namespace tracciato::lsp
