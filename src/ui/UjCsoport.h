#pragma once

#include "ui/WindowContext.h"

#include <QDialog>

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
// The modal result is Accepted only when a group was made.
class Tfrm_UjCsoport : public QDialog {
    Q_OBJECT
public:
    Tfrm_UjCsoport(QWidget* owner, const WindowContext& context, library::GroupLibrary& library);

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

    WindowContext context_;
    library::GroupLibrary& library_;
    bool templateShown_ = false; // the selected template decoded and shown
};

// Creates the dialog over the owner, shows it modally and destroys it when it closes. A group
// it makes is added through the library, which rebuilds the owner's group column.
void ShowNewGroupDialog(QWidget* owner, const WindowContext& context,
                        library::GroupLibrary& library);

} // namespace zolvera::ui
