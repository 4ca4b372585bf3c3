#include "app/picture_label.h"

#include <QBackingStore>
#include <QEvent>
#include <QPaintEvent>
#include <QPainter>

#include <memory>

namespace kelvra {

void PictureLabel::keepPicture()
{
    if (pictures_.contains(text()))
        return;
    const std::optional<QImage::Format> format = screenFormat();
    if (!format)
        return;
    auto picture = std::make_unique<QImage>(size(), *format);
    takingPicture_ = true;
    render(picture.get(), QPoint(), QRegion(), QWidget::DrawWindowBackground);
    takingPicture_ = false;
    pictures_.insert(text(), picture.release());
}

std::optional<QImage::Format> PictureLabel::screenFormat() const
{
    QBackingStore* store = window()->backingStore();
    QPaintDevice* device = store ? store->paintDevice() : nullptr;
    if (!device || device->devType() != QInternal::Image || devicePixelRatio() != 1)
        return std::nullopt;
    return static_cast<const QImage*>(device)->format();
}

void PictureLabel::paintEvent(QPaintEvent* event)
{
    const QImage* picture = takingPicture_ ? nullptr : pictures_.object(text());
    if (!picture || screenFormat() != picture->format()) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    for (const QRect& rect : event->region())
        painter.drawImage(rect.topLeft(), *picture, rect);
}

void PictureLabel::changeEvent(QEvent* event)
{
    // Anything that changes how a text looks.
    switch (event->type()) {
    case QEvent::FontChange:
    case QEvent::PaletteChange:
    case QEvent::StyleChange:
    case QEvent::EnabledChange:
    case QEvent::LayoutDirectionChange:
    case QEvent::ActivationChange:
        pictures_.clear();
        break;
    default:
        break;
    }
    QLabel::changeEvent(event);
}

void PictureLabel::resizeEvent(QResizeEvent* event)
{
    pictures_.clear();
    QLabel::resizeEvent(event);
}

}  // namespace kelvra
