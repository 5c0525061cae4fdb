#include "kinetta/win32/player_stage.h"

#include "audio/win32/card_sound.h"
#include "common/win32/dib_drawing.h"
#include "common/win32/handles.h"
#include "kinetta/win32/player_program.h"
#include "player/win32/card_window_rect.h"
#include "player/win32/media_window.h"
#include "player/win32/player_state.h"

namespace kz8::player {
namespace {

HWND mainWindow() { return playerProgram().mainWindow; }

HWND& mediaWindowOf(Medium medium) {
    PlayerState& card = playerState();
    return medium == Medium::Video ? card.videoWindow : card.audioWindow;
}

RECT cardRect() {
    RECT card{};
    GetCardRect(mainWindow(), &card);
    return card;
}

RECT turnRegionRect() {
    RECT card = cardRect();
    RECT strip = playerProgram().link.stripRect();
    RECT region{};
    UnionRect(&region, &card, &strip);
    return region;
}

}  // namespace

template <typename Draw>
void PlayerStage::drawOnWindow(Draw draw) {
    if (paintDc_) {
        draw(paintDc_);
        return;
    }
    WindowDc dc(mainWindow());
    if (dc) draw(dc.get());
}

void PlayerStage::armTimer(PlayerTimer timer, uint32_t periodMs) {
    SetTimer(mainWindow(), timer, periodMs, nullptr);
}

void PlayerStage::cancelTimer(PlayerTimer timer) { KillTimer(mainWindow(), timer); }

void PlayerStage::enablePlayButton(bool enable) { playerProgram().buttons.EnablePlay(enable); }
void PlayerStage::enableStopButton(bool enable) { playerProgram().buttons.EnableStop(enable); }

void PlayerStage::setPlayStopStates(bool playEnabled, bool stopEnabled) {
    playerProgram().buttons.SetStopEnabled(stopEnabled);
    playerProgram().buttons.SetPlayEnabled(playEnabled);
}

bool PlayerStage::hasMediaWindow(Medium medium) const { return mediaWindowOf(medium) != nullptr; }

bool PlayerStage::openMedium(Medium medium) {
    HWND& media = mediaWindowOf(medium);
    const PlayerState& card = playerState();
    if (!media)
        media = CreateMediaWindow(mainWindow(), playerProgram().instance, kMediaWindowStyle,
                                  medium == Medium::Video ? card.videoPath : card.audioPath);
    return MediaCanPlay(media);
}

void PlayerStage::showVideoOverCard() {
    // The window fills the screen from its origin, so client coordinates are
    // the pop-up's screen position.
    RECT at = playerState().videoRect;
    const RECT card = cardRect();
    OffsetRect(&at, card.left, card.top);
    ShowMediaAt(playerState().videoWindow, at);
}

void PlayerStage::playMedium(Medium medium) {
    HWND media = mediaWindowOf(medium);
    PlayMediaFromStart(media);
    GiveFocusBackFrom(media, mainWindow());
}

void PlayerStage::pauseMedium(Medium medium) { PauseMedia(mediaWindowOf(medium)); }

// The handle is forgotten before the window is told to close, so that a mode
// notice it sends while closing is not taken for the end of the medium.
void PlayerStage::closeMedium(Medium medium) {
    HWND closing = std::exchange(mediaWindowOf(medium), nullptr);
    if (closing) CloseMedia(closing);
}

int32_t PlayerStage::openMp3() {
    audio::stopCardSound();
    audio::openCardSound(mainWindow(), playerState().audioPath);
    return audio::cardSoundSeconds();
}

void PlayerStage::playMp3() { audio::playCardSound(); }
void PlayerStage::stopMp3() { audio::stopCardSound(); }

void PlayerStage::requestRepaint(RepaintArea area, bool erase) {
    if (area == RepaintArea::Window) {
        InvalidateRect(mainWindow(), nullptr, erase);
        return;
    }
    const RECT region = turnRegionRect();
    InvalidateRect(mainWindow(), &region, erase);
}

void PlayerStage::updateNow() { UpdateWindow(mainWindow()); }

void PlayerStage::paintButtons() {
    drawOnWindow([](HDC dc) { playerProgram().buttons.Paint(dc); });
}

void PlayerStage::drawPicture(Picture picture) {
    const PlayerState& card = playerState();
    HGLOBAL dib = picture == Picture::Front ? card.frontPicture.get() : card.backPicture.get();
    const RECT at = cardRect();
    drawOnWindow([&](HDC dc) { DrawDib(dc, dib, at.left, at.top); });
}

void PlayerStage::paintLink() {
    drawOnWindow([](HDC dc) { playerProgram().link.Paint(dc); });
}

void PlayerStage::beginDissolve() {
    const RECT at = cardRect();
    drawOnWindow(
        [&](HDC dc) { dissolve_.prepare(dc, playerState().backPicture.get(), at.left, at.top); });
}

void PlayerStage::drawDissolvePass(int pass) {
    drawOnWindow([&](HDC dc) { dissolve_.drawPass(dc, pass); });
}

void PlayerStage::endDissolve() { dissolve_.release(); }

}  // namespace kz8::player
