#pragma once

#include "ui/WindowContext.h"

#include <QDialog>

#include <optional>
#include <string>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace zolvera::library {
class GroupLibrary;
}

namespace zolvera::ui {

// The new group dialog: a name, a cover chosen from the pictures of the Template folder, and
// OK, which creates the group's folder with that cover and adds the group to the library.
// The modal result is Accepted only when a group was made. Asking only for a name (a group
// whose cover comes from elsewhere), it shows no templates, and OK accepts a name that a new
// group may bear and that no group or folder of the library has.
class Tfrm_UjCsoport : public QDialog {
    Q_OBJECT
public:
    enum class Asks { NameAndCover, NameOnly };

    Tfrm_UjCsoport(QWidget* owner, const WindowContext& context, library::GroupLibrary& library,
                   Asks asks = Asks::NameAndCover);

    Dialogs& dialogs() const { return context_.dialogs; }

    QLabel* Label1;
    QLineEdit* edtCsopNev;
    QLabel* Label2;
    QListWidget* lb;
    QLabel* Img;
    QPushButton* btnOK;
    QPushButton* btnCancel;

public Q_SLOTS:
    // Fills the template list, selects the first one and shows it.
    void FormShow();
    // Shows the selected template. One that cannot be decoded is reported, and then refused.
    void lbClick();
    // Checks the name and the template, creates the group and closes the dialog.
    void btnOKClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    std::string templateFolder() const;
    // The typed name when a new group may bear it; otherwise says why not and yields nothing.
    std::optional<std::string> typedName();

    WindowContext context_;
    library::GroupLibrary& library_;
    Asks asks_;
    bool templateShown_ = false; // the selected template decoded and shown
};

// Creates the dialog over the owner, shows it modally and destroys it when it closes. A group
// it makes is added through the library, which rebuilds the owner's group column.
void ShowNewGroupDialog(QWidget* owner, const WindowContext& context,
                        library::GroupLibrary& library);

// The dialog asking only for a name, prefilled: the name accepted, or nothing when cancelled.
std::optional<std::string> AskNewGroupName(QWidget* owner, const WindowContext& context,
                                           library::GroupLibrary& library,
                                           const std::string& prefilled);

} // namespace zolvera::ui
