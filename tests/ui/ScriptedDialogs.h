#pragma once

#include "ui/Dialogs.h"

#include <deque>
#include <functional>
#include <optional>
#include <vector>

namespace zolvera::test {

// Answers the program's message boxes and file dialogs from a script, and keeps every request.
// Hand it to the window or routine under test in place of the Qt dialogs.
class ScriptedDialogs : public ui::Dialogs {
public:
    std::vector<ui::MessageRequest> messages;
    std::vector<ui::FileDialogRequest> fileDialogs;
    std::deque<bool> answers;                 // Yes (true) or No, in order; Yes when used up
    std::deque<std::optional<QString>> files; // chosen paths in order; cancel when used up
    // Runs while a message box is "open", as the user would take time to answer it.
    std::function<void(const ui::MessageRequest&)> whileOpen;
    // Runs while a file dialog is "open", before its answer is given.
    std::function<void(const ui::FileDialogRequest&)> whileChoosing;

    bool message(const ui::MessageRequest& request) override {
        messages.push_back(request);
        if (whileOpen)
            whileOpen(request);
        if (!request.yesNo || answers.empty())
            return true;
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }

    std::optional<QString> chooseFile(const ui::FileDialogRequest& request) override {
        fileDialogs.push_back(request);
        if (whileChoosing)
            whileChoosing(request);
        if (files.empty())
            return std::nullopt;
        std::optional<QString> file = files.front();
        files.pop_front();
        return file;
    }

    // The texts of the message boxes shown so far.
    std::vector<QString> texts() const {
        std::vector<QString> result;
        for (const ui::MessageRequest& request : messages)
            result.push_back(request.text);
        return result;
    }
};

} // namespace zolvera::test
