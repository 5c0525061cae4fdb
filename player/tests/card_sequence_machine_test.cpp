// The card's sequence, one row per (state, event): what the player does and
// where it ends up. The stage records every action as a short word.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "player/portable/card_sequence_machine.h"
#include "player/portable/reveal_pattern.h"

namespace kz8::player {
namespace {

const char* name(Medium m) { return m == Medium::Video ? "video" : "wave"; }

// What the platform answers, and a log of what it was told.
struct RecordingStage : CardStage {
    bool videoCanPlay = true, waveCanPlay = true;
    int32_t mp3Seconds = 10;
    bool videoWindow = false, waveWindow = false;
    std::string log;

    void note(const std::string& word) { log += (log.empty() ? "" : " ") + word; }
    void armTimer(PlayerTimer t, uint32_t ms) override {
        note("set" + std::to_string(t) + "/" + std::to_string(ms));
    }
    void cancelTimer(PlayerTimer t) override { note("kill" + std::to_string(t)); }
    void enablePlayButton(bool on) override { note(on ? "play+" : "play-"); }
    void enableStopButton(bool on) override { note(on ? "stop+" : "stop-"); }
    void setPlayStopStates(bool play, bool stop) override {
        note(std::string("states:") + (play ? "P" : "p") + (stop ? "S" : "s"));
    }
    bool hasMediaWindow(Medium m) const override {
        return m == Medium::Video ? videoWindow : waveWindow;
    }
    bool openMedium(Medium m) override {
        note(std::string("open-") + name(m));
        (m == Medium::Video ? videoWindow : waveWindow) = true;
        return m == Medium::Video ? videoCanPlay : waveCanPlay;
    }
    void showVideoOverCard() override { note("show-video"); }
    void playMedium(Medium m) override { note(std::string("play-") + name(m)); }
    void pauseMedium(Medium m) override { note(std::string("pause-") + name(m)); }
    void closeMedium(Medium m) override {
        note(std::string("close-") + name(m));
        (m == Medium::Video ? videoWindow : waveWindow) = false;
    }
    int32_t openMp3() override {
        note("open-mp3");
        return mp3Seconds;
    }
    void playMp3() override { note("play-mp3"); }
    void stopMp3() override { note("stop-mp3"); }
    void requestRepaint(RepaintArea area, bool erase) override {
        note(std::string(area == RepaintArea::Window ? "inval-window" : "inval-turn") +
             (erase ? "+erase" : ""));
    }
    void updateNow() override { note("update"); }
    void paintButtons() override { note("bar"); }
    void drawPicture(Picture p) override { note(p == Picture::Front ? "front" : "back"); }
    void paintLink() override { note("link"); }
    void beginDissolve() override { note("dissolve"); }
    void drawDissolvePass(int pass) override { note("pass" + std::to_string(pass)); }
    void endDissolve() override { note("dissolved"); }
};

CardMediaFlags clipAndMp3() { return {true, true, kAudioMp3}; }
CardMediaFlags mp3Only() { return {false, true, kAudioMp3}; }
CardMediaFlags waveOnly() { return {false, true, kAudioWave}; }
CardMediaFlags clipOnly() { return {true, false, kAudioWave}; }
CardMediaFlags noMedia() { return {}; }

using Step = std::function<void(CardSequenceMachine&, RecordingStage&)>;

struct Row {
    const char* what;
    CardMediaFlags card;
    Step before;  // brings the machine to the row's state; its actions are not checked
    Step event;
    const char* actions;
    DisplayState after;
    bool turningAfter = false;
};

void nothing(CardSequenceMachine&, RecordingStage&) {}
Step timer(PlayerTimer t, uint32_t now = 0) {
    return [=](CardSequenceMachine& m, RecordingStage&) { m.onTimer(t, now); };
}
Step mode(Medium medium, int32_t value) {
    return [=](CardSequenceMachine& m, RecordingStage&) { m.onMediaMode(medium, value); };
}
Step paint(uint32_t now = 0) {
    return [=](CardSequenceMachine& m, RecordingStage&) { m.onPaint(now); };
}
Step steps(std::initializer_list<Step> list) {
    std::vector<Step> all(list);
    return [all](CardSequenceMachine& m, RecordingStage& s) {
        for (const Step& step : all) step(m, s);
    };
}
Step press(void (CardSequenceMachine::*button)()) {
    return [=](CardSequenceMachine& m, RecordingStage&) { (m.*button)(); };
}
Step answers(std::function<void(RecordingStage&)> set) {
    return [=](CardSequenceMachine&, RecordingStage& s) { set(s); };
}
const Step kOnBack = steps({timer(kTimerReveal), paint(0), timer(kTimerDissolve, 1000)});
const Step kClipPlaying = steps({timer(kTimerVideo)});
const Step kMp3Playing = steps({timer(kTimerSound)});

TEST(CardSequence, EveryStateAndEventDoesWhatTheCardNeeds) {
    const Row rows[] = {
        // Start-up: the timer that starts the front's media.
        {"created, clip", clipAndMp3(), nothing, [](auto& m, auto&) { m.onCreated(); },
         "stop- set520/20 play-", kShowingFront},
        {"created, sound", mp3Only(), nothing, [](auto& m, auto&) { m.onCreated(); },
         "stop- set530/20 play-", kShowingFront},
        {"created, nothing", noMedia(), nothing, [](auto& m, auto&) { m.onCreated(); },
         "stop- set570/5000 play-", kShowingFront},
        // The clip.
        {"clip timer, plays", clipAndMp3(), nothing, timer(kTimerVideo),
         "kill520 open-video show-video play-video stop+", kShowingFront},
        {"clip timer, cannot play, sound", clipAndMp3(),
         answers([](auto& s) { s.videoCanPlay = false; }), timer(kTimerVideo),
         "kill520 open-video set530/20 stop+", kShowingFront},
        {"clip timer, cannot play, no sound", clipOnly(),
         answers([](auto& s) { s.videoCanPlay = false; }), timer(kTimerVideo),
         "kill520 open-video inval-window stop+", kRevealPending},
        {"clip stopped, sound", clipAndMp3(), kClipPlaying, mode(Medium::Video, kMediaModeStopped),
         "close-video set530/20", kShowingFront},
        {"clip stopped, no sound", clipOnly(), kClipPlaying, mode(Medium::Video, kMediaModeStopped),
         "close-video inval-window play- stop-", kRevealPending},
        {"clip paused notice", clipAndMp3(), kClipPlaying, mode(Medium::Video, 528), "",
         kShowingFront},
        // The sound.
        {"MP3 timer, 10 s", mp3Only(), nothing, timer(kTimerSound),
         "kill530 open-mp3 play-mp3 set748/11000 stop+", kShowingFront},
        {"MP3 timer, 0 s", mp3Only(), answers([](auto& s) { s.mp3Seconds = 0; }),
         timer(kTimerSound), "kill530 open-mp3 inval-window stop+", kRevealPending},
        {"WAVE timer, plays", waveOnly(), nothing, timer(kTimerSound),
         "kill530 open-wave play-wave stop+", kShowingFront},
        {"WAVE timer, cannot play", waveOnly(), answers([](auto& s) { s.waveCanPlay = false; }),
         timer(kTimerSound), "kill530 open-wave inval-window stop+", kRevealPending},
        {"sound of unknown kind",
         {false, true, 2},
         nothing,
         timer(kTimerSound),
         "kill530 stop+",
         kShowingFront},
        {"WAVE stopped", waveOnly(), kMp3Playing, mode(Medium::Wave, kMediaModeStopped),
         "close-wave inval-window play- stop-", kRevealPending},
        {"MP3 end timer", mp3Only(), kMp3Playing, timer(kTimerSoundEnd),
         "kill748 stop-mp3 inval-window play- stop-", kRevealPending},
        {"front-only timer", noMedia(), nothing, timer(kTimerReveal), "kill570 inval-window",
         kRevealPending},
        // Play and Stop.
        {"Stop during the clip", clipAndMp3(), kClipPlaying, press(&CardSequenceMachine::onStop),
         "pause-video states:Ps", kShowingFront},
        {"Play after Stop restarts the clip", clipAndMp3(), kClipPlaying,
         press(&CardSequenceMachine::onPlay), "open-video show-video play-video states:pS",
         kShowingFront},
        {"Stop during the MP3", mp3Only(), kMp3Playing, press(&CardSequenceMachine::onStop),
         "stop-mp3 kill748 states:Ps", kShowingFront},
        {"Play restarts the MP3", mp3Only(), kMp3Playing, press(&CardSequenceMachine::onPlay),
         "open-mp3 play-mp3 set748/11000 states:pS", kShowingFront},
        {"Stop during the WAVE", waveOnly(), kMp3Playing, press(&CardSequenceMachine::onStop),
         "pause-wave states:Ps", kShowingFront},
        // Turns.
        {"Turn button", clipAndMp3(), nothing, press(&CardSequenceMachine::onTurn), "set758/50",
         kShowingFront, true},
        {"Turn twice turns once", clipAndMp3(), press(&CardSequenceMachine::onTurn),
         press(&CardSequenceMachine::onTurn), "", kShowingFront, true},
        {"Play while turning", clipAndMp3(), press(&CardSequenceMachine::onTurn),
         press(&CardSequenceMachine::onPlay), "", kShowingFront, true},
        {"turn to the back closes the clip", clipAndMp3(),
         steps({kClipPlaying, press(&CardSequenceMachine::onTurn)}), timer(kTimerTurn),
         "kill758 pause-video close-video play- stop- inval-turn update", kRevealPending, true},
        {"turn to the front starts again", clipAndMp3(),
         steps({kOnBack, press(&CardSequenceMachine::onTurn)}), timer(kTimerTurn),
         "kill758 stop-mp3 kill748 stop- set520/20 play- inval-turn+erase update", kShowingFront},
        {"turn to the front closes a WAVE", waveOnly(),
         steps({kOnBack, kMp3Playing, press(&CardSequenceMachine::onTurn)}), timer(kTimerTurn),
         "kill758 close-wave kill748 stop- set530/20 play- inval-turn+erase update", kShowingFront},
        {"turn while the back waits for its paint", noMedia(),
         steps({timer(kTimerReveal), press(&CardSequenceMachine::onTurn)}), timer(kTimerTurn),
         "kill758", kRevealPending, true},
        // Painting and the paced dissolve.
        {"paint on the front", noMedia(), nothing, paint(), "bar front", kShowingFront},
        {"paint on the back", noMedia(), kOnBack, paint(), "bar back link", kShowingBack},
        {"paint of the reveal starts the dissolve", noMedia(), timer(kTimerReveal), paint(5000),
         "bar dissolve pass0 set768/100", kRevealPending},
        {"passes due by now are drawn", noMedia(), steps({timer(kTimerReveal), paint(5000)}),
         timer(kTimerDissolve, 5250), "pass1 pass2", kRevealPending},
        {"an exposure shows the passes so far", noMedia(),
         steps({timer(kTimerReveal), paint(5000), timer(kTimerDissolve, 5100)}), paint(5150),
         "bar front pass0 pass1", kRevealPending},
        {"the last pass ends the dissolve", noMedia(), steps({timer(kTimerReveal), paint(5000)}),
         timer(kTimerDissolve, 6000),
         "pass1 pass2 pass3 pass4 pass5 pass6 pass7 pass8 pass9 pass10 kill768 dissolved link",
         kShowingBack},
        {"Turn during the dissolve is ignored", noMedia(),
         steps({timer(kTimerReveal), paint(0), press(&CardSequenceMachine::onTurn),
                timer(kTimerTurn, 50)}),
         timer(kTimerDissolve, 1000),
         "pass1 pass2 pass3 pass4 pass5 pass6 pass7 pass8 pass9 pass10 kill768 dissolved link",
         kShowingBack},
        {"a sound ending on the back dissolves the back over itself", mp3Only(),
         steps({kMp3Playing, kOnBack, paint()}),
         steps({timer(kTimerSoundEnd), paint(7000), paint(7010)}),
         "kill748 stop-mp3 inval-window play- stop- bar dissolve pass0 set768/100 bar back pass0",
         kRevealPending},
    };
    for (const Row& row : rows) {
        RecordingStage stage;
        int32_t display = -1;
        CardSequenceMachine machine(stage, row.card, display);
        row.before(machine, stage);
        stage.log.clear();
        row.event(machine, stage);
        EXPECT_EQ(stage.log, row.actions) << row.what;
        EXPECT_EQ(machine.displayState(), row.after) << row.what;
        EXPECT_EQ(display, int32_t(row.after)) << row.what << ": the record keeps the state";
        EXPECT_EQ(machine.turning(), row.turningAfter) << row.what;
    }
}

}  // namespace
}  // namespace kz8::player
