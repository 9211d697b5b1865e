#pragma once
// The main window's two path fields and every way a path reaches them: the folder browser, the
// save dialog, the recent menus, and a folder (input) or an .htm/.html file (output) dropped on
// the window. A path longer than the settings record holds is refused whichever way it comes,
// with a message in the user's language naming it; the field then keeps what it had.
#include <QObject>
#include <QString>

#include <functional>
#include <string>

class QDropEvent;
class QLineEdit;
class QWidget;

class PathFields : public QObject {
    Q_OBJECT
public:
    // `tooLong` gives the current text of the refusal, %1 the path.
    PathFields(QWidget* window, QLineEdit* input, QLineEdit* output, std::function<QString()> tooLong);

    // Put the path (bytes) into its field; false, after telling the user, when it is too long.
    bool setInput(const std::string& path);
    bool setOutput(const std::string& path);
    // The paths both fields give, or false, after telling the user, when one is too long.
    bool bothFit();
    // A drag over the window (DragEnter, DragMove or Drop): taken when it brings one folder or
    // one page, whose path a drop then puts into its field.
    void drag(QDropEvent* event);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool put(QLineEdit* field, const std::string& path);
    bool fits(const std::string& path);

    QWidget* window_;
    QLineEdit* input_;
    QLineEdit* output_;
    std::function<QString()> tooLong_;
};

// The one local path of a drag's data (its bytes, whatever their encoding); empty when the
// data holds no local file or more than one.
std::string droppedPath(const class QMimeData* data);
