// SPDX-License-Identifier: MIT
#pragma once

#include <string>

#include "input/sample_sink.h"

namespace fretlux {

// A source of sound that the listener hears: a recording device, or a WAVE file played in its
// place in real time.
class AudioInput {
public:
    virtual ~AudioInput() = default;

    virtual int SampleRate() const = 0;
    // Whether the sound is recorded in the room, where the speakers play too.
    virtual bool RecordsTheRoom() const = 0;
    // Delivers the sound into sink until Stop; false, with Error() saying why, when it cannot.
    // The sink must outlive the delivery.
    virtual bool Start(SampleSink& sink) = 0;
    // Returns once no more samples reach the sink.
    virtual void Stop() = 0;
    virtual std::string Error() const = 0;
};

}  // namespace fretlux
