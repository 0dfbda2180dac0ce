// The running-copy markers: kernel locks that one holder keeps and that vanish with it.
#include "platform/SingleInstance.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "support/TempConfigDir.h"

namespace {

using platform::SingleInstance;

TEST(SingleInstance, OneHolderAtATimeAndTheMarkGoesWithItsHolder) {
  TempConfigDir dir;
  const std::string lockDir = dir.root() + "/run";
  std::filesystem::create_directories(lockDir);
  {
    SingleInstance first(lockDir);
    ASSERT_EQ(first.Acquire(), SingleInstance::Result::kFirst);
    SingleInstance second(lockDir);
    EXPECT_EQ(second.Acquire(), SingleInstance::Result::kAnotherCopyRuns);
    EXPECT_TRUE(std::filesystem::exists(lockDir + "/FirstMyProject_Vorl.lock"));
    EXPECT_TRUE(std::filesystem::exists(lockDir + "/PelavoScr.lock"));
  }
  SingleInstance again(lockDir);
  EXPECT_EQ(again.Acquire(), SingleInstance::Result::kFirst) << "released with its holder";
}

TEST(SingleInstance, TheApplicationsMarkHeldElsewhereFailsStartUp) {
  TempConfigDir dir;
  const int fd = ::open((dir.root() + "/PelavoScr.lock").c_str(), O_RDWR | O_CREAT, 0600);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::flock(fd, LOCK_EX | LOCK_NB), 0);
  SingleInstance instance(dir.root());
  EXPECT_EQ(instance.Acquire(), SingleInstance::Result::kAppMarkerTaken);
  ::close(fd);
}

TEST(SingleInstance, AHolderKilledWithoutCleanupLeavesNoMark) {
  TempConfigDir dir;
  int ready[2];
  ASSERT_EQ(::pipe(ready), 0);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    SingleInstance holder(dir.root());
    const char result = holder.Acquire() == SingleInstance::Result::kFirst ? 'y' : 'n';
    (void)!::write(ready[1], &result, 1);
    for (;;) pause();
  }
  char result = 0;
  ASSERT_EQ(::read(ready[0], &result, 1), 1);
  ASSERT_EQ(result, 'y');
  SingleInstance blocked(dir.root());
  EXPECT_EQ(blocked.Acquire(), SingleInstance::Result::kAnotherCopyRuns);
  ::kill(child, SIGKILL);
  ::waitpid(child, nullptr, 0);
  SingleInstance after(dir.root());
  EXPECT_EQ(after.Acquire(), SingleInstance::Result::kFirst) << "kill -9 leaves no mark";
  ::close(ready[0]);
  ::close(ready[1]);
}

TEST(SingleInstance, OldMarkFilesNamingALiveProcessDoNotBlock) {
  TempConfigDir dir;
  for (const char* name : {"FirstMyProject_Vorl", "PelavoScr", "FirstMyProject_Vorl.lock",
                           "PelavoScr.lock"})
    dir.writeFile(dir.root() + "/" + name, std::to_string(getpid()) + "\n");
  SingleInstance instance(dir.root());
  EXPECT_EQ(instance.Acquire(), SingleInstance::Result::kFirst);
}

TEST(SingleInstance, MarksLiveInTheRuntimeDirectoryElseTheFallback) {
  TempConfigDir dir;
  const char* old = std::getenv("XDG_RUNTIME_DIR");
  const std::string saved = old ? old : "";
  const std::string run = dir.root() + "/run";
  std::filesystem::create_directories(run);
  ::setenv("XDG_RUNTIME_DIR", run.c_str(), 1);
  EXPECT_EQ(SingleInstance::LockDirectory("/fallback/"), run);
  ::setenv("XDG_RUNTIME_DIR", (dir.root() + "/missing").c_str(), 1);
  EXPECT_EQ(SingleInstance::LockDirectory("/fallback/"), "/fallback/");
  dir.writeFile(dir.root() + "/a-file", "x");
  ::setenv("XDG_RUNTIME_DIR", (dir.root() + "/a-file").c_str(), 1);
  EXPECT_EQ(SingleInstance::LockDirectory("/fallback/"), "/fallback/");
  ::setenv("XDG_RUNTIME_DIR", "relative/run", 1);
  EXPECT_EQ(SingleInstance::LockDirectory("/fallback/"), "/fallback/");
  ::unsetenv("XDG_RUNTIME_DIR");
  EXPECT_EQ(SingleInstance::LockDirectory("/fallback/"), "/fallback/");
  if (old) ::setenv("XDG_RUNTIME_DIR", saved.c_str(), 1);
}

}  // namespace
