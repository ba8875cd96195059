#pragma once

#include <QString>

#include <optional>

class QWidget;

namespace zolvera::ui {

enum class MessageIcon { Question, Error, Information };

// A modal message box: Yes/No with a question, otherwise a single OK button.
struct MessageRequest {
    QWidget* owner = nullptr;
    QString caption;
    QString text;
    MessageIcon icon = MessageIcon::Information;
    bool yesNo = false;
};

// A modal file dialog. The filter is written as the program's dialogs always describe it:
// "description|pattern;pattern", one entry, patterns matched without regard to case.
struct FileDialogRequest {
    enum class Mode { Open, Save };
    QWidget* owner = nullptr;
    Mode mode = Mode::Open;
    QString title;
    QString filter;
    QString defaultSuffix; // added to a typed name without an extension
    QString directory;     // the folder the dialog starts in; folder/name offers the name too
    bool picturePreview = false;
    bool confirmOverwrite = true; // Save: ask before an existing file is replaced
};

// Every message box and file dialog of the program goes through this interface, so that tests
// answer them with a script instead of a user. The program's entry makes the one provider and
// hands it to the application and the main window; every window passes it on to the windows it
// opens.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    // True for Yes (and for OK, which is the only answer of the other boxes).
    virtual bool message(const MessageRequest& request) = 0;
    // The chosen file's full path; nothing when the user cancels.
    virtual std::optional<QString> chooseFile(const FileDialogRequest& request) = 0;
};

} // namespace zolvera::ui
