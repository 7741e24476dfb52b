// SPDX-License-Identifier: MIT
#include "cli_process.h"

#include <fcntl.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <algorithm>
#include <fstream>
#include <iterator>

extern char** environ;

namespace fretlux {

std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::filesystem::path& path, std::string_view bytes) {
    std::ofstream file(path, std::ios::binary);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Decodes every code point and checks its range, independently of the program's own check.
bool IsStrictUtf8(std::string_view bytes) {
    for (size_t i = 0; i < bytes.size();) {
        const unsigned lead = static_cast<unsigned char>(bytes[i]);
        size_t length = 0;
        if (lead < 0x80) length = 1;
        if ((lead & 0xE0) == 0xC0) length = 2;
        if ((lead & 0xF0) == 0xE0) length = 3;
        if ((lead & 0xF8) == 0xF0) length = 4;
        if (length == 0 || i + length > bytes.size()) return false;
        unsigned point = length == 1 ? lead : lead & (0x7F >> length);
        for (size_t k = 1; k < length; ++k) {
            const unsigned next = static_cast<unsigned char>(bytes[i + k]);
            if (next >> 6 != 2) return false;
            point = point << 6 | (next & 0x3F);
        }
        const unsigned least[] = {0, 0, 0x80, 0x800, 0x10000};
        if (point < least[length] || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF)) {
            return false;
        }
        i += length;
    }
    return true;
}

void CliTest::SetUp() {
    std::string pattern = (std::filesystem::temp_directory_path() / "fretlux-cli-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    root_ = pattern;
    work_ = root_ / "work";
    std::filesystem::create_directory(work_);
}

void CliTest::TearDown() {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
}

std::string CliTest::Write(std::string_view name, std::string_view bytes) const {
    WriteBytes(work_ / name, bytes);
    return Path(name);
}

CliRun CliTest::Run(const std::vector<std::string>& args, const std::string& shellSetup) const {
    const std::string outPath = (root_ / "stdout").string();
    const std::string errPath = (root_ / "stderr").string();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    std::string program = FRETLUX_CLI_PATH;
    std::vector<std::string> words = args;
    if (!shellSetup.empty()) {
        words.insert(words.begin(), {"-c", shellSetup + "; exec \"$0\" \"$@\"", program});
        program = "/bin/sh";
    }
    std::vector<char*> argv{program.data()};
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);

    CliRun run;
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    EXPECT_EQ(spawned, 0) << "cannot start " << program;
    if (spawned != 0) return run;
    int status = 0;
    waitpid(pid, &status, 0);
    if (WIFEXITED(status)) run.exitCode = WEXITSTATUS(status);
    if (WIFSIGNALED(status)) run.signal = WTERMSIG(status);
    run.out = ReadBytes(outPath);
    run.err = ReadBytes(errPath);
    return run;
}

std::string CliTest::Convert(const std::string& in, const std::string& out) const {
    const CliRun run = Run({"convert", in, out});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, "");
    return ReadBytes(out);
}

std::vector<std::string> CliTest::Entries() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(work_)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace fretlux
