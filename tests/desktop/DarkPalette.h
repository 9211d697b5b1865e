#pragma once
// A dark palette such as a desktop's dark theme gives Qt programs (close to qt6ct's "darker"
// scheme): light text on dark windows and fields, greyed text for what is disabled; and how far
// what is drawn stands out from what is behind it.
#include <QImage>
#include <QPalette>
#include <QPixmap>

#include <cmath>

inline QPalette darkPalette()
{
    QPalette p;
    p.setColor(QPalette::Window, QColor(0x22, 0x20, 0x20));
    p.setColor(QPalette::WindowText, Qt::white);
    p.setColor(QPalette::Base, QColor(0x3D, 0x3D, 0x3D));
    p.setColor(QPalette::AlternateBase, QColor(0x5C, 0x5B, 0x5A));
    p.setColor(QPalette::Text, Qt::white);
    p.setColor(QPalette::Button, QColor(0x42, 0x42, 0x45));
    p.setColor(QPalette::ButtonText, Qt::white);
    p.setColor(QPalette::BrightText, Qt::white);
    p.setColor(QPalette::Light, QColor(0x97, 0x97, 0x97));
    p.setColor(QPalette::Midlight, QColor(0x5E, 0x5C, 0x5B));
    p.setColor(QPalette::Mid, QColor(0x4A, 0x49, 0x47));
    p.setColor(QPalette::Dark, QColor(0x30, 0x2F, 0x2E));
    p.setColor(QPalette::Shadow, QColor(0x11, 0x11, 0x11));
    p.setColor(QPalette::Highlight, QColor(0x12, 0x60, 0x8A));
    p.setColor(QPalette::HighlightedText, QColor(0xF9, 0xF9, 0xF9));
    p.setColor(QPalette::Link, QColor(0x09, 0x86, 0xD3));
    p.setColor(QPalette::LinkVisited, QColor(0xA7, 0x0B, 0x06));
    p.setColor(QPalette::ToolTipBase, QColor(0x3D, 0x3D, 0x3D));
    p.setColor(QPalette::ToolTipText, Qt::white);
    p.setColor(QPalette::PlaceholderText, QColor(0x80, 0x80, 0x80));
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(QPalette::Disabled, role, QColor(0x80, 0x80, 0x80));
    return p;
}

// The colour's luminance, 0 (black) to 1 (white).
inline double lightness(const QColor& c)
{
    return 0.2126 * c.redF() + 0.7152 * c.greenF() + 0.0722 * c.blueF();
}

// How far the drawn pixels of `icon` stand from `background`, on average (0 to 1).
inline double contrastOn(const QPixmap& icon, const QColor& background)
{
    const QImage image = icon.toImage().convertToFormat(QImage::Format_ARGB32);
    double sum = 0, weight = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            sum += c.alphaF() * std::abs(lightness(c) - lightness(background));
            weight += c.alphaF();
        }
    return weight > 0 ? sum / weight : 0;
}
