#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>

#include "platform/read_problem.h"
#include "testing/files.h"

namespace tracciato {
namespace {

TEST(ReadProblem, TellsAFileWithoutReadPermission) {
  if (::geteuid() == 0) GTEST_SKIP() << "root reads a file whatever its permissions";
  test_support::TempDir dir;
  test_support::write_file(dir / "locked", "bytes");
  ASSERT_EQ(::chmod((dir / "locked").c_str(), 0), 0);
  EXPECT_EQ(read_problem(dir / "locked"), "no permission to read it");
}

// Each would make a reader that opens it wait, or read what is no file.
TEST(ReadProblem, TellsAFifoADeviceAndASocketWithoutWaitingOnThem) {
  test_support::TempDir dir;
  ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0600), 0);
  EXPECT_EQ(read_problem(dir / "pipe"), "it is a FIFO");
  EXPECT_EQ(read_problem("/dev/null"), "it is a device");
  const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
  ASSERT_GE(listener, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const std::string socket_path = (dir / "socket").string();
  ASSERT_LT(socket_path.size(), sizeof address.sun_path);
  std::memcpy(address.sun_path, socket_path.c_str(), socket_path.size() + 1);
  ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  EXPECT_EQ(read_problem(dir / "socket"), "it is a socket");
  ::close(listener);
}

TEST(ReadProblem, TellsASymbolicLinkLoop) {
  test_support::TempDir dir;
  std::filesystem::create_symlink("b", dir / "a");
  std::filesystem::create_symlink("a", dir / "b");
  EXPECT_EQ(read_problem(dir / "a"), "it is a symbolic link loop");
}

}  // namespace
}  // namespace tracciato
