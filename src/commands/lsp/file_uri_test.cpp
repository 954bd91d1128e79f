#include "commands/lsp/file_uri.h"

#include <gtest/gtest.h>

namespace tracciato::lsp {
namespace {

struct UriCase {
  const char* name;
  std::string uri;
  std::optional<std::string> path;
};

class FileUri : public ::testing::TestWithParam<UriCase> {};

TEST_P(FileUri, NamesItsPath) {
  EXPECT_EQ(path_of_uri(GetParam().uri), GetParam().path);
}

INSTANTIATE_TEST_SUITE_P(
    Uris, FileUri,
    ::testing::Values(
        UriCase{"PosixPath", "file:///home/ada/Prova_linea.txt", "/home/ada/Prova_linea.txt"},
        UriCase{"EscapedSpaceAndUtf8", "file:///home/ada/citt%C3%A0%20nuova/a_linea.txt",
                "/home/ada/citt\xC3\xA0 nuova/a_linea.txt"},
        UriCase{"WindowsDrive", "file:///C:/scenari/a_linea.txt", "C:/scenari/a_linea.txt"},
        UriCase{"WindowsDriveWithEscapedColon", "file:///c%3A/scenari/a_linea.txt",
                "c:/scenari/a_linea.txt"},
        UriCase{"LocalhostAuthority", "file://localhost/tmp/a_linea.txt", "/tmp/a_linea.txt"},
        UriCase{"OtherScheme", "untitled:Untitled-1", std::nullopt},
        UriCase{"BrokenEscape", "file:///tmp/a%2", std::nullopt},
        UriCase{"EscapeNotHex", "file:///tmp/a%zz", std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FileUri, EscapesWhatAUriCannotHoldAndReadsBackTheSamePath) {
  for (const std::string path :
       {"/tmp/citt\xC3\xA0 nuova/a #1_linea.txt", "C:/scenari/a_linea.txt"}) {
    const std::string uri = uri_of_path(path);
    EXPECT_EQ(uri.find_first_of(" #\xC3"), std::string::npos) << uri;
    EXPECT_EQ(path_of_uri(uri), path) << uri;
  }
  EXPECT_EQ(uri_of_path("C:\\scenari\\a_linea.txt"), "file:///C:/scenari/a_linea.txt");
}

}  // namespace
}  // namespace tracciato::lsp
