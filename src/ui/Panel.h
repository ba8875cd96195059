#pragma once

#include <QWidget>

namespace zolvera::ui {

enum class Bevel { None, Raised, Lowered };

// A panel with an outer and an inner bevel of one pixel each, and an optional caption drawn in
// its middle (covered by whatever the panel holds).
class Panel : public QWidget {
    Q_OBJECT
public:
    Panel(Bevel outer, Bevel inner, QWidget* parent = nullptr);

    // The area inside the bevels.
    QRect clientRect() const;
    void setCaption(const QString& caption);
    QString caption() const { return caption_; }

    // The index of the tile this panel belongs to.
    int tag = 0;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Bevel outer_;
    Bevel inner_;
    QString caption_;
};

// A tool bar separator of exactly 8 pixels, a sunken line whatever the style would draw.
QWidget* toolSeparator(QWidget* parent);

} // namespace zolvera::ui
