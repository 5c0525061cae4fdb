#include "audio/portable/player_state.h"

namespace kz8::audio {

namespace {

constexpr uint32_t bit(PlayerState s) { return 1u << s; }
constexpr uint32_t kOnlyIdle = bit(kIdle);
// "Up to Ended": everything but a running playback, whose thread reads the
// settings.
constexpr uint32_t kUpToEnded = bit(kIdle) | bit(kOpened) | bit(kPrepared) | bit(kEnded);
constexpr uint32_t kRunning = bit(kPlaying) | bit(kPaused);
constexpr uint32_t kFromPrepared = bit(kPrepared) | bit(kEnded) | kRunning;

struct Rule {
    PlayerOperation op;
    uint32_t states;
};

constexpr Rule kRules[] = {
    {PlayerOperation::SetFileName, kOnlyIdle},
    {PlayerOperation::SetCaptureFile, kUpToEnded},
    {PlayerOperation::SetSourceKind, kOnlyIdle},
    {PlayerOperation::SetOutputMode, kUpToEnded},
    {PlayerOperation::SetStreamSource, kOnlyIdle},
    {PlayerOperation::SetPcmSink, kUpToEnded},
    {PlayerOperation::SetBuffering, bit(kIdle) | bit(kOpened)},
    {PlayerOperation::SetDeviceWhileIdle, kOnlyIdle},
    {PlayerOperation::SetDevice, kUpToEnded},
    {PlayerOperation::SetOwnerWindow, kUpToEnded},
    {PlayerOperation::SetNotifySink, kUpToEnded},
    {PlayerOperation::Open, kOnlyIdle},
    {PlayerOperation::Prepare, bit(kOpened) | bit(kEnded)},
    {PlayerOperation::Play, bit(kPrepared)},
    {PlayerOperation::Pause, kRunning},
    {PlayerOperation::Resume, kRunning},
    {PlayerOperation::Stop, kRunning | bit(kEnded)},
    {PlayerOperation::Seek, kRunning},
    {PlayerOperation::GetTotalTime, kFromPrepared},
    {PlayerOperation::GetCurrentTime, bit(kEnded) | kRunning},
    {PlayerOperation::GetSourceFlag, bit(kOpened) | kFromPrepared},
};

}  // namespace

bool isAllowed(PlayerOperation op, int32_t state) {
    if (state < kIdle || state > kPaused) return false;
    for (const Rule& rule : kRules)
        if (rule.op == op) return (rule.states & (1u << state)) != 0;
    return false;
}

}  // namespace kz8::audio
