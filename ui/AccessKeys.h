#pragma once
// Access keys for the main window that work on the first press of Alt and a letter, as the
// platform's own menus give them: every menu title and menu item gets a letter of its own,
// and no control of the page on show shares a letter with another one or with a menu title.
//
// - A page control keeps the letter its text marks with "&", unless an earlier control of the
//   page or a menu title already has it; then it moves to the first free letter of its text.
// - A menu title takes the letter its text marks, else its first letter that neither the
//   controls of the page on show nor the other titles use; so it may change with the page.
// - A menu item takes the letter its text marks, else its first letter free in its menu; a
//   menu whose "accessKeys" property is false keeps its items as they are.
//
// Texts are taken as their owner (the design or a translation) last set them; the letters put
// in here are moved again whenever the page or a text changes.
#include <QObject>

#include <functional>

class QMenuBar;
class QWidget;

class AccessKeys : public QObject {
    Q_OBJECT
public:
    // `page` tells the page on show.
    AccessKeys(QMenuBar* bar, std::function<QWidget*()> page);

    // Assigns the letters now; runs again by itself whenever a menu title or item changes.
    void assign();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void watchMenus();

    QMenuBar* bar_;
    std::function<QWidget*()> page_;
    bool assigning_ = false;
};

// The letter after the first single "&" of `text` ("&&" is a literal ampersand), in lower
// case; a null character when there is none.
QChar accessKeyOf(const QString& text);

// `text` with "&" put before its first letter or digit that is not in `used` (lower case);
// `used` gets that letter. A text without a free letter comes back unchanged.
QString withAccessKey(const QString& text, QString& used);
