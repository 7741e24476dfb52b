// SPDX-License-Identifier: MIT
// Runs the built fretlux-cli as a separate process in a scratch directory of its own per test.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

namespace fretlux::testing {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;

struct CliRun {
    int exitCode = -1;  // -1 when the process did not exit normally, as when a signal ended it
    std::string out;
    std::string err;
};

inline std::string ReadBytes(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// Files the test writes go to work_, the captured output of the process beside it, so work_
// holds only what the test and the program put there.
class CliTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = fs::temp_directory_path() / "fretlux-cli-XXXXXX";
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        root_ = pattern;
        work_ = root_ / "work";
        fs::create_directory(work_);
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(root_, ignored);
    }

    std::string Path(std::string_view name) const { return (work_ / name).string(); }
    std::string Write(std::string_view name, std::string_view bytes) const {
        std::ofstream(work_ / name, std::ios::binary) << bytes;
        return Path(name);
    }

    // Runs the program through /bin/sh; shellSetup, when given, runs first, to set limits the
    // program inherits.
    CliRun Run(const std::vector<std::string>& args, const std::string& shellSetup = "") const {
        std::string command = shellSetup.empty() ? "" : shellSetup + "; ";
        command += "exec '" + std::string(FRETLUX_CLI_PATH) + "'";
        for (const std::string& arg : args) command += " '" + arg + "'";
        command += " </dev/null >'" + (root_ / "stdout").string() + "' 2>'" +
                   (root_ / "stderr").string() + "'";
        const int status = std::system(command.c_str());
        CliRun run;
        if (WIFEXITED(status)) run.exitCode = WEXITSTATUS(status);
        run.out = ReadBytes(root_ / "stdout");
        run.err = ReadBytes(root_ / "stderr");
        return run;
    }

    // Runs a convert that must succeed silently and returns the bytes written.
    std::string Convert(const std::string& in, const std::string& out) const {
        const CliRun run = Run({"convert", in, out});
        EXPECT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(run.err + run.out, "");
        return ReadBytes(out);
    }

    void ExpectFailure(const std::vector<std::string>& args, const std::string& err,
                       const std::string& shellSetup = "") const {
        const CliRun run = Run(args, shellSetup);
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.err, err);
        EXPECT_EQ(run.out, "");
    }

    Names Entries() const {
        Names names;
        for (const auto& entry : fs::directory_iterator(work_)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    fs::path root_;
    fs::path work_;
};

}  // namespace fretlux::testing
