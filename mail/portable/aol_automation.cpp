#include "mail/portable/aol_automation.h"

#include "mail/portable/aol_typing.h"

namespace kz8::mail {

namespace {

const std::string kFrameClass = "AOL Frame25";
const std::string kFrameTitle = "America  Online";  // two blanks
const std::string kWriteMail = "Write Mail";
const std::string kAttachments = "Attachments";
const std::string kAttach = "Attach";
const std::string kIconClass = "_AOL_Icon";
const std::string kToolbarClass = "_AOL_Toolbar";
const std::string kEditClass = "_AOL_Edit";
const std::string kPlainEditClass = "Edit";
constexpr uint64_t kShowHiddenAfterMilliseconds = 20001;
constexpr int kToolbarOffset = 10;
constexpr int kClickOffset = 5;
constexpr int kToolbarWaitTicks = 6;
constexpr int kConfirmWaitTicks = 6;
constexpr int kBeforeClickTicks = 1;

bool accepts(Corner corner, long x, long y, long pointX, long pointY) {
    switch (corner) {
        case Corner::RightBottom: return x <= pointX && y <= pointY;
        case Corner::LeftBottom: return x >= pointX && y <= pointY;
        case Corner::RightTop: return x <= pointX && y >= pointY;
        case Corner::LeftTop: return x >= pointX && y >= pointY;
    }
    return false;
}

}  // namespace

WindowId cornerPick(AolWindows& windows, WindowId parent, const std::string& className,
                    std::optional<ControlSize> size, Corner corner) {
    const ScreenRect area = windows.rect(parent);
    const bool right = corner == Corner::RightBottom || corner == Corner::RightTop;
    const bool bottom = corner == Corner::RightBottom || corner == Corner::LeftBottom;
    long x = right ? area.right : area.left;
    long y = bottom ? area.bottom : area.top;
    WindowId picked = 0;
    for (WindowId candidate : windows.descendants(parent)) {
        if (windows.className(candidate) != className) continue;
        const ScreenRect place = windows.rect(candidate);
        if (size && (place.width() != size->width || place.height() != size->height)) continue;
        if (!accepts(corner, place.left, place.top, x, y)) continue;
        picked = candidate;
        x = place.left;
        y = place.top;
    }
    return picked;
}

AolAutomation::AolAutomation(AolWindows& windows, int version, AolTexts texts,
                             std::function<bool(uint8_t)> isLeadByte)
    : windows_(windows),
      version_(version),
      texts_(std::move(texts)),
      isLeadByte_(std::move(isLeadByte)),
      toolbarIndex_(version == 4 || version == 5 ? 1
                    : version == 6               ? 2
                                                 : 0) {}

WindowId AolAutomation::findMain() {
    for (WindowId window : windows_.topLevel())
        if (windows_.className(window) == kFrameClass && windows_.title(window) == kFrameTitle)
            return window;
    return 0;
}

WindowId AolAutomation::findTopLevel(const std::string& title) {
    for (WindowId window : windows_.topLevel())
        if (windows_.title(window) == title) return window;
    return 0;
}

WindowId AolAutomation::findDescendant(WindowId parent, const std::string* title,
                                       const std::string* cls) {
    for (WindowId window : windows_.descendants(parent))
        if ((!title || windows_.title(window) == *title) &&
            (!cls || windows_.className(window) == *cls))
            return window;
    return 0;
}

WindowId AolAutomation::findToolbarIcon() {
    int skip = toolbarIndex_;
    for (WindowId window : windows_.descendants(main_)) {
        if (windows_.className(window) != kIconClass ||
            windows_.className(windows_.parentOf(window)) != kToolbarClass)
            continue;
        if (skip-- == 0) return window;
    }
    return 0;
}

bool AolAutomation::waited(int ticks) { return ++ticks_ > ticks; }

bool AolAutomation::gaveUp(int& limit, int increase, int previousStep) {
    if (++ticks_ <= limit) return false;
    limit += increase;
    moveTo(previousStep);
    return true;
}

void AolAutomation::moveTo(int step) {
    step_ = step;
    ticks_ = 0;
}

void AolAutomation::firstTick() {
    first_ = false;
    main_ = findMain();
    if (main_) {
        writeMail_ = findDescendant(main_, &kWriteMail, nullptr);
        if (writeMail_) moveTo(1);
    }
    firstTickAt_ = windows_.milliseconds();
}

void AolAutomation::tick() {
    if (done_) return;
    if (first_) {
        firstTick();
    } else if (main_ && windows_.milliseconds() - firstTickAt_ >= kShowHiddenAfterMilliseconds &&
               !windows_.visible(main_)) {
        windows_.show(main_, ShowHow::Normal);
    }
    switch (step_) {
        case 0: clickToolbar(); break;
        case 1: openAttachments(); break;
        case 2: openAttachBox(); break;
        case 3: typePath(); break;
        case 4: confirmAttachments(); break;
        case 5: waitForClose(); break;
        case 6: fillRecipient(); break;
        case 7: fillSubject(); break;
    }
}

void AolAutomation::clickToolbar() {
    if (!main_ && !(main_ = findMain())) return;
    if (!toolbarIcon_ && !(toolbarIcon_ = findToolbarIcon())) return;
    if (!waited(kToolbarWaitTicks)) return;
    windows_.click(toolbarIcon_, kToolbarOffset);
    moveTo(1);
}

void AolAutomation::openAttachments() {
    if (!writeMail_) {
        if (gaveUp(writeMailLimit_, 2, 0)) return;
        if (!(writeMail_ = findDescendant(main_, &kWriteMail, nullptr))) return;
        ticks_ = 0;
    }
    if (!attachIcon_ && !(attachIcon_ = cornerPick(windows_, writeMail_, kIconClass,
                                                   ControlSize{70, 24}, Corner::RightTop)))
        return;
    if (!waited(kBeforeClickTicks)) return;
    windows_.click(attachIcon_, kClickOffset);
    moveTo(2);
}

void AolAutomation::openAttachBox() {
    if (!attachments_) {
        if (gaveUp(attachmentsLimit_, 2, 1)) return;
        if (!(attachments_ = findTopLevel(kAttachments))) return;
    }
    if (!attachmentsAttach_ &&
        !(attachmentsAttach_ =
              cornerPick(windows_, attachments_, kIconClass, std::nullopt, Corner::RightBottom)))
        return;
    windows_.click(attachmentsAttach_, kClickOffset);
    moveTo(3);
}

void AolAutomation::typePath() {
    if (!attachBox_) {
        if (gaveUp(attachLimit_, 2, 2)) return;
        if (!(attachBox_ = findTopLevel(kAttach))) return;
    }
    if (!attachEdit_ && !(attachEdit_ = findDescendant(attachBox_, nullptr, &kPlainEditClass)))
        return;
    for (const TypedCharacter& typed :
         typingSequence(texts_.attachmentPath, version_, isLeadByte_)) {
        if (typed.ime)
            windows_.sendImeChar(attachEdit_, typed.code);
        else
            windows_.sendChar(attachEdit_, typed.code);
    }
    windows_.sendOk(attachBox_);
    moveTo(4);
}

void AolAutomation::confirmAttachments() {
    if (!attachmentsOk_ && !(attachmentsOk_ = cornerPick(windows_, attachments_, kIconClass,
                                                         std::nullopt, Corner::RightTop)))
        return;
    if (!waited(kConfirmWaitTicks)) return;
    windows_.click(attachmentsOk_, kClickOffset);
    moveTo(5);
}

void AolAutomation::waitForClose() {
    if (++ticks_ <= closeWaitLimit_ - 1) return;
    if (windows_.exists(attachments_)) {
        closeWaitLimit_ += 1;
        moveTo(4);
        return;
    }
    if (!windows_.visible(main_)) windows_.show(main_, ShowHow::Normal);
    windows_.show(writeMail_, ShowHow::Show);
    moveTo(6);
}

void AolAutomation::fillRecipient() {
    const ControlSize size{218, version_ == 4 ? 58 : 56};
    if (!recipientEdit_ &&
        !(recipientEdit_ = cornerPick(windows_, writeMail_, kEditClass, size, Corner::RightTop)))
        return;
    if (!waited(kBeforeClickTicks)) return;
    if (!texts_.recipient.empty()) windows_.setText(recipientEdit_, texts_.recipient);
    moveTo(7);
}

void AolAutomation::fillSubject() {
    if (!subjectEdit_ && !(subjectEdit_ = cornerPick(windows_, writeMail_, kEditClass,
                                                     ControlSize{452, 24}, Corner::RightTop)))
        return;
    if (!waited(kBeforeClickTicks)) return;
    if (!texts_.subject.empty()) windows_.setText(subjectEdit_, texts_.subject);
    windows_.stopTimer();
    done_ = true;
}

}  // namespace kz8::mail
