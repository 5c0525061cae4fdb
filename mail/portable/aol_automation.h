// Driving the AOL client to a finished mail, one timer tick at a time: the
// toolbar's Write Mail icon, the attachment dialogs with the card's path
// typed in, then the recipient and the subject. A window that does not
// appear makes its step wait, and after a while go back a step with more
// patience.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "mail/portable/aol_windows.h"

namespace kz8::mail {

// The rule of a corner pick: where the walk starts in the parent and in
// which direction a control must lie from the point reached so far.
enum class Corner {
    RightBottom = 1,  // candidates left of and above
    LeftBottom = 2,   // right of and above
    RightTop = 3,     // left of and below
    LeftTop = 4,      // right of and below
};

struct ControlSize {
    long width = 0, height = 0;
};

// The last descendant of the class (and size) accepted walking from the
// corner; 0 when none is.
WindowId cornerPick(AolWindows& windows, WindowId parent, const std::string& className,
                    std::optional<ControlSize> size, Corner corner);

struct AolTexts {
    std::string attachmentPath, recipient, subject;
};

class AolAutomation {
public:
    AolAutomation(AolWindows& windows, int version, AolTexts texts,
                  std::function<bool(uint8_t)> isLeadByte);
    void tick();
    // The recipient and subject edits are looked for again.
    void forgetEdits() { recipientEdit_ = subjectEdit_ = 0; }
    // The host may give them while the automation runs.
    void setRecipient(const std::string& text) { texts_.recipient = text; }
    void setSubject(const std::string& text) { texts_.subject = text; }
    int step() const { return step_; }
    bool done() const { return done_; }
    // The handles it settled on, for tests.
    WindowId toolbarIcon() const { return toolbarIcon_; }
    WindowId attachIcon() const { return attachIcon_; }
    WindowId attachmentsAttachIcon() const { return attachmentsAttach_; }
    WindowId attachmentsOkIcon() const { return attachmentsOk_; }
    WindowId recipientEdit() const { return recipientEdit_; }
    WindowId subjectEdit() const { return subjectEdit_; }
    int writeMailLimit() const { return writeMailLimit_; }

private:
    void firstTick();
    void clickToolbar();        // step 0
    void openAttachments();     // step 1
    void openAttachBox();       // step 2
    void typePath();            // step 3
    void confirmAttachments();  // step 4
    void waitForClose();        // step 5
    void fillRecipient();       // step 6
    void fillSubject();         // step 7
    WindowId findMain();
    WindowId findTopLevel(const std::string& title);
    WindowId findDescendant(WindowId parent, const std::string* title, const std::string* cls);
    WindowId findToolbarIcon();
    // Counts a tick of waiting; true once more than `ticks` went by.
    bool waited(int ticks);
    // Counts a tick without the window; true (and the step before, with a
    // raised limit) once more than the limit went by.
    bool gaveUp(int& limit, int increase, int previousStep);
    void moveTo(int step);

    AolWindows& windows_;
    int version_;
    AolTexts texts_;
    std::function<bool(uint8_t)> isLeadByte_;
    int toolbarIndex_;
    int step_ = 0;
    bool first_ = true;
    bool done_ = false;
    uint64_t firstTickAt_ = 0;
    int ticks_ = 0;  // of the current step
    int writeMailLimit_ = 8, attachmentsLimit_ = 8, attachLimit_ = 5, closeWaitLimit_ = 5;
    WindowId main_ = 0, toolbarIcon_ = 0, writeMail_ = 0, attachIcon_ = 0;
    WindowId attachments_ = 0, attachmentsAttach_ = 0, attachBox_ = 0, attachEdit_ = 0;
    WindowId attachmentsOk_ = 0, recipientEdit_ = 0, subjectEdit_ = 0;
};

}  // namespace kz8::mail
