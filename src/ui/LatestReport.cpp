#include "ui/LatestReport.h"

#include <utility>

namespace zolvera::ui {

LatestReport::LatestReport(std::function<void(const QString&)> show) : show_(std::move(show)) {}

void LatestReport::post(const QString& text) {
    const std::lock_guard lock(mutex_);
    latest_ = text;
    if (!std::exchange(pending_, true))
        QMetaObject::invokeMethod(this, "deliver", Qt::QueuedConnection);
}

void LatestReport::deliver() {
    QString text;
    {
        const std::lock_guard lock(mutex_);
        text = std::exchange(latest_, QString());
        pending_ = false;
    }
    show_(text);
}

} // namespace zolvera::ui
