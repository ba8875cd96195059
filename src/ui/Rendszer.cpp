#include "ui/Rendszer.h"

#include "desktop/Registry.h"
#include "library/Settings.h"
#include "ui/DialogFrame.h"
#include "ui/Guard.h"
#include "ui/Placement.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

namespace zolvera::ui {

namespace {

// A spin field that only its buttons and the Up, Down, Page Up and Page Down keys change:
// what is typed into it is refused with a beep.
class StepSpin : public QSpinBox {
public:
    explicit StepSpin(QWidget* parent) : QSpinBox(parent) {
        lineEdit()->setReadOnly(true); // no paste or drop either
    }

protected:
    void keyPressEvent(QKeyEvent* event) override {
        const bool command = event->modifiers() & (Qt::ControlModifier | Qt::AltModifier);
        const bool typing = event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete ||
                            (!event->text().isEmpty() && event->text().front().isPrint());
        if (typing && !command) {
            QApplication::beep();
            return;
        }
        QSpinBox::keyPressEvent(event);
    }
};

template <typename Control> Control* placed(Control* control, const QRect& geometry) {
    control->setGeometry(geometry);
    return control;
}

QPushButton* button(const QString& caption, QWidget* parent, const QRect& geometry) {
    auto* pushButton = placed(new QPushButton(caption, parent), geometry);
    pushButton->setAutoDefault(false); // no default button: Enter presses only a focused one
    return pushButton;
}

} // namespace

Tfrm_Rendszer::Tfrm_Rendszer(QWidget* owner, const WindowContext& context)
    : QDialog(owner, kDialogFrame), context_(context) {
    setObjectName(QStringLiteral("frm_Rendszer"));
    setWindowTitle(tr("Rendszerparaméterek"));
    setFixedSize(289, 197);
    // The places are made for a narrow 8-point face; a condensed one where that is missing.
    QFont face(QStringLiteral("MS Sans Serif"), 8);
    face.setStretch(QFont::Condensed);
    setFont(face);

    LMDGroupBox1 = new QGroupBox(tr(" Képernyő "), this);
    LMDGroupBox1->setGeometry(8, 8, 185, 85);
    Nyujt = placed(new QCheckBox(tr("Háttérkép nyújtása"), LMDGroupBox1), {12, 24, 161, 17});
    Label1 = placed(new QLabel(tr("Háttérkép automatikus méretezése\na képernyőn"), LMDGroupBox1),
                    {8, 48, 166, 33});

    GroupBox2 = new QGroupBox(tr("Diavetítés"), this);
    GroupBox2->setGeometry(8, 100, 269, 85);
    Label2 = new QLabel(tr("Alapértelmezett léptetés intervallum"), GroupBox2);
    Label2->move(12, 24);
    spEdit = placed(new StepSpin(GroupBox2), {188, 20, 65, 21});
    spEdit->setRange(1, 10);
    spEdit->setSuffix(tr(" sec"));
    Teljes = placed(new QCheckBox(tr("Ablak teljes képernyős"), GroupBox2), {12, 52, 137, 17});

    Button1 = button(tr("OK"), this, {200, 20, 75, 25});
    Button1->setFont(QFont(QStringLiteral("Tahoma"), 8));
    Button2 = button(tr("Mégsem"), this, {200, 52, 75, 25});

    setTabOrder(Teljes, spEdit);
    setTabOrder(spEdit, Nyujt);
    setTabOrder(Nyujt, Button1);
    setTabOrder(Button1, Button2);

    connect(Button1, &QPushButton::clicked, this, guarded(this, &Tfrm_Rendszer::BitBtn1Click));
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);

    centreOnScreen(*this);
}

void Tfrm_Rendszer::keyPressEvent(QKeyEvent* event) {
    if (!enterPressesFocusedButton(*this, *event))
        QDialog::keyPressEvent(event); // Esc cancels
}

void Tfrm_Rendszer::BitBtn1Click() {
    // Whether the desktop key could be opened or made is not looked at; a refused write throws.
    static_cast<void>(desktop::WriteRegString(context_.registry, desktop::kCurrentUser,
                                              "\\Control Panel\\Desktop\\", "WallpaperStyle",
                                              Nyujt->isChecked() ? "2" : "0"));
    library::TBeall& settings = context_.settings;
    settings.Nyujt = Nyujt->isChecked();
    settings.Leptet = spEdit->value();
    settings.Teljes = Teljes->isChecked();
    accept();
}

void ShowSettingsDialog(QWidget* owner, const WindowContext& context) {
    Tfrm_Rendszer dialog(owner, context);
    const library::TBeall& settings = context.settings;
    dialog.Nyujt->setChecked(settings.Nyujt);
    dialog.spEdit->setValue(settings.Leptet); // kept within 1 to 10
    dialog.Teljes->setChecked(settings.Teljes);
    dialog.exec();
}

} // namespace zolvera::ui
