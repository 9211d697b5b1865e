#pragma once
// A dark palette such as a desktop's dark theme gives Qt programs (close to qt6ct's "darker"
// scheme): light text on dark windows and fields, greyed text for what is disabled.
#include <QPalette>

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
