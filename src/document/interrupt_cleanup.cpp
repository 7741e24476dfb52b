// SPDX-License-Identifier: MIT
#include "document/interrupt_cleanup.h"

#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cstring>
#include <mutex>

namespace fretlux {

namespace {

constexpr std::size_t kSlots = 8;
constexpr std::size_t kLongestPath = 4096;
constexpr std::array<int, 3> kInterrupts = {SIGINT, SIGTERM, SIGHUP};

// The handler may only read what is complete: a slot's path is written first, then marked used.
struct Slot {
    std::array<char, kLongestPath> path{};
    std::atomic<bool> used{false};
};

std::array<Slot, kSlots> gSlots;
std::array<struct sigaction, kInterrupts.size()> gPreviousActions;
std::mutex gSlotsMutex;

void RemoveNotedFiles(int signal) {
    for (Slot& slot : gSlots) {
        if (slot.used.load()) ::unlink(slot.path.data());
    }
    // Then the signal does what it did before: usually, end the program.
    for (std::size_t i = 0; i < kInterrupts.size(); ++i) {
        if (kInterrupts[i] == signal) ::sigaction(signal, &gPreviousActions[i], nullptr);
    }
    ::raise(signal);
}

void InstallHandlersOnce() {
    static std::once_flag installed;
    std::call_once(installed, [] {
        struct sigaction action {};
        action.sa_handler = RemoveNotedFiles;
        ::sigemptyset(&action.sa_mask);
        for (std::size_t i = 0; i < kInterrupts.size(); ++i) {
            ::sigaction(kInterrupts[i], nullptr, &gPreviousActions[i]);
            // A signal the program ignores, as under nohup, stays ignored.
            if (gPreviousActions[i].sa_handler == SIG_IGN) continue;
            ::sigaction(kInterrupts[i], &action, nullptr);
        }
    });
}

sigset_t InterruptSet() {
    sigset_t set;
    ::sigemptyset(&set);
    for (const int signal : kInterrupts) ::sigaddset(&set, signal);
    return set;
}

}  // namespace

InterruptsDeferred::InterruptsDeferred() {
    const sigset_t interrupts = InterruptSet();
    ::pthread_sigmask(SIG_BLOCK, &interrupts, &previous_);
}

InterruptsDeferred::~InterruptsDeferred() { ::pthread_sigmask(SIG_SETMASK, &previous_, nullptr); }

bool RemoveOnInterrupt(const std::string& path) {
    if (path.size() >= kLongestPath) return false;
    InstallHandlersOnce();
    const std::lock_guard lock(gSlotsMutex);
    for (Slot& slot : gSlots) {
        if (slot.used.load()) continue;
        std::memcpy(slot.path.data(), path.c_str(), path.size() + 1);
        slot.used.store(true);
        return true;
    }
    return false;
}

void ForgetOnInterrupt(const std::string& path) {
    const std::lock_guard lock(gSlotsMutex);
    for (Slot& slot : gSlots) {
        if (slot.used.load() && path == slot.path.data()) {
            slot.used.store(false);
            return;
        }
    }
}

}  // namespace fretlux
