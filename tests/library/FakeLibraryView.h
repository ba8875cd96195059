#pragma once

#include "library/GroupLibrary.h"

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace zolvera::test {

// A LibraryView with scripted answers that records every call, in order, as one line:
// "info:<text>", "confirm:<text>|<caption>", "choosePicture", "clearGroupColumn",
// "buildGroupColumn", "displayGroup:<index>", "keepWaiting".
class FakeLibraryView : public library::LibraryView {
public:
    std::vector<std::string> log;
    // Answers to showConfirm in order; Yes once they are used up.
    std::deque<bool> confirmAnswers;
    // What the picture open dialog yields; nothing means the user cancelled.
    std::optional<std::string> chosenPicture;
    // Runs inside showInfo, e.g. to look at the disk at that moment.
    std::function<void(const std::string&)> onShowInfo;
    // Answers to keepWaitingForLibrary in order; give up once they are used up.
    std::deque<bool> keepWaitingAnswers;
    // Runs inside keepWaitingForLibrary, before the answer.
    std::function<void()> onKeepWaiting;

    void showInfo(const std::string& text) override {
        log.push_back("info:" + text);
        if (onShowInfo)
            onShowInfo(text);
    }
    bool showConfirm(const std::string& text, const std::string& caption) override {
        log.push_back("confirm:" + text + "|" + caption);
        if (confirmAnswers.empty())
            return true;
        const bool answer = confirmAnswers.front();
        confirmAnswers.pop_front();
        return answer;
    }
    std::optional<std::string> choosePicture() override {
        log.push_back("choosePicture");
        return chosenPicture;
    }
    void clearGroupColumn() override { log.push_back("clearGroupColumn"); }
    void buildGroupColumn() override { log.push_back("buildGroupColumn"); }
    void displayGroup(int index) override {
        log.push_back("displayGroup:" + std::to_string(index));
    }
    bool keepWaitingForLibrary() override {
        log.push_back("keepWaiting");
        if (onKeepWaiting)
            onKeepWaiting();
        if (keepWaitingAnswers.empty())
            return false;
        const bool answer = keepWaitingAnswers.front();
        keepWaitingAnswers.pop_front();
        return answer;
    }
};

} // namespace zolvera::test
