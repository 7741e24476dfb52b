// SPDX-License-Identifier: MIT
#include "take_set.h"

#include <iostream>

#include "sound/soundfont_synth.h"

namespace fretlux::takes {
namespace {

namespace fs = std::filesystem;

struct Excerpt {
    const char* lesson;
    int first;
    int last;
    bool chords;
};

// Flat picking, a Giuliani arpeggio study and the fretboard tour for single notes; strumming,
// changing chords, triads and the twelve-bar blues for chords.
constexpr Excerpt kExcerpts[] = {
    {"lesson10.flx", 1, 2, false}, {"lesson21.flx", 1, 1, false}, {"lesson3.flx", 2, 3, false},
    {"lesson4.flx", 2, 2, true},   {"lesson5.flx", 1, 1, true},   {"lesson11.flx", 1, 2, true},
    {"lesson14.flx", 1, 1, true},
};
}  // namespace

std::vector<std::pair<std::string, std::string>> InstalledSoundfonts() {
    std::vector<std::pair<std::string, std::string>> found;
    for (const auto& [name, path] :
         {std::pair{"TimGM6mb", kTimGm6mbSoundfont}, std::pair{"FluidR3_GM", kFluidR3Soundfont}}) {
        if (fs::is_regular_file(path)) found.emplace_back(name, path);
    }
    return found;
}

bool MakeEachTake(const fs::path& work, const TakeSet& set,
                  const std::function<void(const TakeCase&)>& judge) {
    for (const Excerpt& excerpt : kExcerpts) {
        const std::string document = (work / "document.flx").string();
        if (WriteExcerpt(std::string(FRETLUX_DATA_DIR) + "/" + excerpt.lesson, excerpt.first,
                         excerpt.last, document, std::cerr) != 0) {
            return false;
        }
        for (const auto& [soundfontName, soundfont] : InstalledSoundfonts()) {
            for (const int patch : set.patches) {
                for (const bool noise : {false, true}) {
                    for (int seed = 1; seed <= set.seeds; ++seed) {
                        TakeCase take{excerpt.lesson,
                                      excerpt.chords,
                                      noise,
                                      soundfontName + ", patch " + std::to_string(patch),
                                      {}};
                        TakeRequest& request = take.request;
                        request.in = document;
                        request.wavePath = (work / "take.wav").string();
                        request.truthPath = (work / "truth.jsonl").string();
                        request.soundfont = soundfont;
                        request.habits.seed = static_cast<std::uint64_t>(seed * 1000 + patch);
                        request.habits.patch = patch;
                        request.habits.wrongShare = kWrongShare;
                        request.habits.missedShare = kMissedShare;
                        if (noise) request.noiseDecibelsBelow = kNoiseBelow;
                        request.detuneCents = set.detuneCents;
                        if (MakeTake(request, std::cerr) != 0) return false;
                        judge(take);
                    }
                }
            }
        }
    }
    return true;
}

}  // namespace fretlux::takes
