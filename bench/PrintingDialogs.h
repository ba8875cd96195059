#pragma once

#include "ui/Dialogs.h"

#include <cstdio>

namespace zolvera::bench {

// Answers every box without a user, and says what it was asked.
class PrintingDialogs : public ui::Dialogs {
public:
    bool message(const ui::MessageRequest& request) override {
        std::fprintf(stderr, "message: %s\n", qPrintable(request.text));
        return true;
    }
    std::optional<QString> chooseFile(const ui::FileDialogRequest&) override {
        return std::nullopt;
    }
};

} // namespace zolvera::bench
