// SPDX-License-Identifier: MIT
#include <exception>
#include <iostream>
#include <new>
#include <string>
#include <vector>

#include "cli/commands.h"

int main(int argc, char** argv) {
    try {
        const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
        return fretlux::RunCommandLine(args, std::cout, std::cerr);
    } catch (const std::bad_alloc&) {
        std::cerr << "fretlux-cli: out of memory\n";
    } catch (const std::exception& exception) {
        std::cerr << "fretlux-cli: " << exception.what() << '\n';
    }
    return fretlux::kExitFileFailure;
}
