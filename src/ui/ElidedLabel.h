#pragma once

#include <QLabel>

namespace zolvera::ui {

// A one-line label that can shrink to a few letters, so that a long text never pushes its
// neighbours out of a tool bar: a text wider than the label is shown cut in the middle with
// "…", and the whole text is the label's tooltip. Qt's labels only clip.
class ElidedLabel : public QLabel {
    Q_OBJECT
public:
    explicit ElidedLabel(QWidget* parent = nullptr);

    // Shows the text (text() gives it back whole) and makes it the tooltip.
    void setFullText(const QString& text);
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace zolvera::ui
