#pragma once
// Gives every title of a menu bar an accelerator letter of its own when its text has none,
// as the platform's menus do by themselves, so that Alt plus a letter opens each menu also
// after its texts were replaced by a translation.
#include <QObject>

class QMenuBar;

class MenuHotkeys : public QObject {
    Q_OBJECT
public:
    explicit MenuHotkeys(QMenuBar* bar);

    // Assigns the letters now; runs again by itself whenever a title changes.
    void assign();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QMenuBar* bar_;
};

// The text with "&" put before its first letter that is not in `used` (lower case); `used`
// gets that letter. A text with an accelerator already, or without a free letter, is kept.
QString withHotkey(const QString& text, QString& used);
