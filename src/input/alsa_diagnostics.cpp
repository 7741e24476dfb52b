// SPDX-License-Identifier: MIT
#include "input/alsa_diagnostics.h"

#include <alsa/asoundlib.h>

#include <mutex>

namespace fretlux {
namespace {

void IgnoreDiagnostic(const char*, int, const char*, int, const char*, ...) {}

}  // namespace

void QuietAlsaDiagnostics() {
    static std::once_flag quieted;
    std::call_once(quieted, [] { snd_lib_error_set_handler(&IgnoreDiagnostic); });
}

bool AlsaSequencerAvailable() {
    QuietAlsaDiagnostics();
    snd_seq_t* sequencer = nullptr;
    if (snd_seq_open(&sequencer, "default", SND_SEQ_OPEN_INPUT, 0) < 0) return false;
    snd_seq_close(sequencer);
    return true;
}

}  // namespace fretlux
