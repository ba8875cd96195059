#pragma once

#include <QWidget>

class QLabel;

namespace zolvera::ui {

// A status bar of two panels: panel 0 of a fixed width, panel 1 taking the rest.
class StatusBar : public QWidget {
    Q_OBJECT
public:
    StatusBar(int firstPanelWidth, QWidget* parent = nullptr);

    void setPanelText(int panel, const QString& text);
    QString panelText(int panel) const;
    QLabel* panel(int index) const { return index == 0 ? first_ : second_; }

private:
    QLabel* first_;
    QLabel* second_;
};

} // namespace zolvera::ui
