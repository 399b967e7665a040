#include "app/faded_icon.h"

#include <QIconEngine>
#include <QImage>
#include <QPainter>

namespace dravo {

namespace {

class FadedIconEngine : public QIconEngine {
  public:
    explicit FadedIconEngine(QIcon base) : m_base(std::move(base)) {}

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override {
        return scaledPixmap(size, mode, state, 1.0);
    }

    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override {
        QPixmap pm =
            m_base.pixmap(size, scale, mode == QIcon::Disabled ? QIcon::Normal : mode, state);
        return mode == QIcon::Disabled ? FadedPixmap(pm) : pm;
    }

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode,
               QIcon::State state) override {
        const qreal scale = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        painter->drawPixmap(rect, scaledPixmap(rect.size(), mode, state, scale));
    }

    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override {
        return m_base.actualSize(size, mode, state);
    }

    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return m_base.availableSizes(mode, state);
    }

    QIconEngine *clone() const override { return new FadedIconEngine(m_base); }
    QString key() const override { return QStringLiteral("dravo-faded"); }

  private:
    QIcon m_base;
};

} // namespace

QPixmap FadedPixmap(const QPixmap &pixmap) {
    if (pixmap.isNull())
        return pixmap;
    QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = line[x];
            // A light grey at a third of the picture's opacity.
            const int grey = 128 + qGray(c) / 2;
            line[x] = qRgba(grey, grey, grey, qAlpha(c) / 3);
        }
    }
    QPixmap faded = QPixmap::fromImage(image);
    faded.setDevicePixelRatio(pixmap.devicePixelRatio());
    return faded;
}

QIcon FadedWhenDisabled(const QIcon &icon) {
    return QIcon(new FadedIconEngine(icon));
}

} // namespace dravo
