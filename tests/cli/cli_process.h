// SPDX-License-Identifier: MIT
// Runs the built fretlux-cli as a separate process on files in a scratch directory.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace fretlux {

struct CliRun {
    int exitCode = -1;  // -1 when the process did not exit normally
    int signal = 0;     // the signal that ended it, 0 when it exited
    std::string out;
    std::string err;
};

std::string ReadBytes(const std::filesystem::path& path);
void WriteBytes(const std::filesystem::path& path, std::string_view bytes);
bool IsStrictUtf8(std::string_view bytes);

// A fresh scratch directory per test: files the test writes go to Dir(), the captured output of
// the process elsewhere, so Dir() holds only what the test and the program put there.
class CliTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    std::string Path(std::string_view name) const { return (work_ / name).string(); }
    std::string Write(std::string_view name, std::string_view bytes) const;
    // shellSetup, when given, runs in /bin/sh before the program replaces the shell, to set
    // limits the program inherits.
    CliRun Run(const std::vector<std::string>& args, const std::string& shellSetup = "") const;
    // Runs a convert that must succeed silently and returns the bytes written.
    std::string Convert(const std::string& in, const std::string& out) const;
    std::vector<std::string> Entries() const;

    std::filesystem::path root_;
    std::filesystem::path work_;
};

}  // namespace fretlux
