#include <array>
#include <cstdio>
#include <gtest/gtest.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Runs the program with no display variable at all and collects what it prints.
int runWithoutDisplay(std::string& output) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) {
        return -1;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDERR_FILENO);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    char program[] = ZALVODEMO_PATH;
    char* argv[] = {program, nullptr};
    char path[] = "PATH=/usr/bin:/bin";
    char* environment[] = {path, nullptr};
    pid_t child = 0;
    const int spawned = posix_spawn(&child, program, &actions, nullptr, argv, environment);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    if (spawned != 0) {
        close(pipeEnds[0]);
        return -1;
    }
    std::array<char, 512> chunk{};
    ssize_t count = 0;
    while ((count = read(pipeEnds[0], chunk.data(), chunk.size())) > 0) {
        output.append(chunk.data(), static_cast<std::size_t>(count));
    }
    close(pipeEnds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace

TEST(NoDisplay, ProgramSaysSoInOneLineAndExitsWithOne) {
    std::string output;
    EXPECT_EQ(runWithoutDisplay(output), 1);
    EXPECT_NE(output.find("no display"), std::string::npos) << output;
    EXPECT_NE(output.find("xvfb-run"), std::string::npos) << output;
    EXPECT_NE(output.find("QT_QPA_PLATFORM=vnc"), std::string::npos) << output;
    ASSERT_FALSE(output.empty());
    EXPECT_EQ(output.find('\n'), output.size() - 1) << output;
}
