// SPDX-License-Identifier: MIT
// FluidSynth loaded at run time: found and complete when installed, and a clear reason instead
// of a crash when the library is missing or is not FluidSynth.
#include "sound/fluidsynth_library.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace fretlux::testing {
namespace {

TEST(FluidSynthLibrary, LoadsTheFluidSynthItWasBuiltForAndFillsEverySlotOfItsTable) {
    std::string failure;
    const FluidSynthLibrary* fluid = LoadFluidSynth(failure);
    ASSERT_NE(fluid, nullptr) << failure;
    EXPECT_EQ(failure, "");
    // The header the program was compiled with must describe the library that was loaded.
    const std::string version = fluid->fluid_version_str();
    EXPECT_EQ(version.substr(0, version.find('.')), std::to_string(FLUIDSYNTH_VERSION_MAJOR))
        << version;
    // The table holds nothing but function pointers, so a slot left out of the loader's list
    // shows up here as a null one, rather than as a crash when it is first called.
    using AnyFunction = void (*)();
    static_assert(sizeof(FluidSynthLibrary) % sizeof(AnyFunction) == 0);
    const auto* bytes = reinterpret_cast<const unsigned char*>(fluid);
    for (size_t offset = 0; offset < sizeof(FluidSynthLibrary); offset += sizeof(AnyFunction)) {
        AnyFunction slot = nullptr;
        std::memcpy(&slot, bytes + offset, sizeof slot);
        EXPECT_NE(slot, nullptr) << "slot " << offset / sizeof(AnyFunction);
    }
}

TEST(FluidSynthLibrary, EveryThreadGetsTheOneLoadedLibrary) {
    std::string failure;
    const FluidSynthLibrary* first = LoadFluidSynth(failure);
    ASSERT_NE(first, nullptr) << failure;
    std::vector<const FluidSynthLibrary*> seen(4);
    std::vector<std::thread> threads;
    for (auto& result : seen) {
        threads.emplace_back([&result] {
            std::string threadFailure;
            result = LoadFluidSynth(threadFailure);
        });
    }
    for (std::thread& thread : threads) thread.join();
    for (const FluidSynthLibrary* result : seen) EXPECT_EQ(result, first);
}

TEST(FluidSynthLibrary, ALibraryThatIsNotThereGivesTheLoadersReason) {
    std::string failure;
    EXPECT_FALSE(LoadFluidSynthLibrary("libfretlux-no-such-synth.so.9", failure));
    EXPECT_EQ(failure.rfind("cannot load FluidSynth: ", 0), 0u) << failure;
    EXPECT_NE(failure.find("libfretlux-no-such-synth.so.9"), std::string::npos) << failure;
}

TEST(FluidSynthLibrary, ALibraryWithoutFluidSynthsFunctionsNamesTheFirstOneMissing) {
    std::string failure;
    // Any library that is always present but is not FluidSynth.
    EXPECT_FALSE(LoadFluidSynthLibrary("libm.so.6", failure));
    EXPECT_EQ(failure.rfind("cannot use FluidSynth: libm.so.6 lacks new_fluid_settings (and ", 0),
              0u)
        << failure;
    EXPECT_NE(failure.find(" more functions)"), std::string::npos) << failure;
}

}  // namespace
}  // namespace fretlux::testing
