#include "ui/StatusBar.h"

#include <QHBoxLayout>
#include <QLabel>

namespace zolvera::ui {

namespace {

QLabel* makePanel(QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setTextFormat(Qt::PlainText);
    return label;
}

} // namespace

StatusBar::StatusBar(int firstPanelWidth, QWidget* parent)
    : QWidget(parent), first_(makePanel(this)), second_(makePanel(this)) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 2, 0, 0);
    layout->setSpacing(2);
    first_->setFixedWidth(firstPanelWidth);
    // A long text is cut off instead of widening the panel.
    second_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    layout->addWidget(first_);
    layout->addWidget(second_, 1);
}

void StatusBar::setPanelText(int panel, const QString& text) {
    this->panel(panel)->setText(text);
}

QString StatusBar::panelText(int panel) const {
    return this->panel(panel)->text();
}

} // namespace zolvera::ui
