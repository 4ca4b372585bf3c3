#pragma once

#include <QCache>
#include <QImage>
#include <QLabel>

#include <optional>

namespace kelvra {

// A label that keeps a picture of itself for each text it has shown. The readings' labels come
// back to the same few texts again and again, and laying out and drawing a text costs many times
// what copying its picture does. The picture is made by the label's own painting into an image
// like the window's, so what reaches the screen is the same pixels; a text without a picture yet
// is painted as any label's.
class PictureLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

    // Makes the picture of the current text if there is none. Outside any paint: the window calls
    // it before it repaints.
    void keepPicture();

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // The window's image format while it can take a picture as it is: no scaling, an image to draw on.
    std::optional<QImage::Format> screenFormat() const;

    // A station's texts at rest and then some; the least recently shown go first.
    static constexpr qsizetype kMostPictures = 128;
    QCache<QString, QImage> pictures_{kMostPictures};
    bool takingPicture_ = false;
};

}  // namespace kelvra
