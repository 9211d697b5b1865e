#include "ui/WindowFit.h"

#include "i18n/LanguageTargets.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QLayout>
#include <QListWidget>
#include <QMainWindow>
#include <QScreen>
#include <QStringList>
#include <QWidget>

#include <functional>

namespace {

// The page area the window is designed for; larger only when a text would not fit.
constexpr QSize DesignPageSize(385, 209);

// Where a control keeps its text as its owner set it, and the text made of it here.
const char* const WholeText = "fitWholeText";
const char* const BrokenText = "fitBrokenText";
const char* const Narrowed = "fitNarrowed";

// A line of less than this is no use; a control is not narrowed further.
constexpr int NarrowestText = 80;

// The text as it is drawn: access key markers take no room.
QString drawn(const QString& text)
{
    QString out;
    for (int i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&') && i + 1 < text.size())
            ++i;
        out += text[i];
    }
    return out;
}

int widthOf(const QFontMetrics& metrics, const QString& text)
{
    return metrics.horizontalAdvance(drawn(text));
}

// The longest start of `word` that fits `width`, at least one character, never ending
// between "&" and its letter.
int fittingPrefix(const QString& word, const QFontMetrics& metrics, int width)
{
    int length = 1;
    while (length < word.size() && widthOf(metrics, word.left(length + 1)) <= width)
        ++length;
    if (length < word.size() && word[length - 1] == QLatin1Char('&'))
        length = length > 1 ? length - 1 : length + 1;
    return length;
}

bool isText(QWidget* w)
{
    return qobject_cast<const QLabel*>(w) || (qobject_cast<const QAbstractButton*>(w) && !captionOf(w).isEmpty());
}

// The controls of a page that can give up width.
QList<QWidget*> narrowable(QWidget* page)
{
    QList<QWidget*> controls;
    for (QWidget* w : page->findChildren<QWidget*>())
        if (isText(w) || qobject_cast<QComboBox*>(w))
            controls << w;
    return controls;
}

// Keeps `w` within `cap` pixels: a text broken into lines no wider, a list no wider.
void limit(QWidget* w, int cap)
{
    if (qobject_cast<QComboBox*>(w)) {
        w->setMaximumWidth(cap);
        w->setProperty(Narrowed, true);
        return;
    }
    const QString current = captionOf(w);
    if (!w->property(WholeText).isValid() || w->property(BrokenText).toString() != current)
        w->setProperty(WholeText, current);
    const QString whole = w->property(WholeText).toString();
    const QString broken = breakIntoLines(whole, w->fontMetrics(), cap);
    w->setProperty(BrokenText, broken);
    if (broken != current)
        setCaptionOf(w, broken);
}

// The widest cap in [low, high] with which `fits` holds, `low` when none does.
int widestCap(int low, int high, const std::function<void(int)>& apply, const std::function<bool()>& fits)
{
    while (high - low > 4) {
        const int middle = (low + high) / 2;
        apply(middle);
        if (fits())
            low = middle;
        else
            high = middle;
    }
    apply(low);
    return low;
}

// The pages' size that shows every text of every page.
QSize pagesSize(const QList<QFrame*>& pages)
{
    QSize size = DesignPageSize;
    for (QFrame* page : pages) {
        layOutAfresh(page);
        size = size.expandedTo(page->minimumSizeHint());
    }
    return size;
}

// The window's size around a page area of exactly `pages`.
QSize measureWindow(QMainWindow* window, QWidget* area, const QSize& pages)
{
    // Measured with the area at exactly that size; then the area takes whatever room the
    // window has (the tool bars may want more width).
    area->setFixedSize(pages);
    if (window->layout())
        window->layout()->invalidate();
    const QSize size = window->sizeHint().expandedTo(window->minimumSizeHint());
    area->setMinimumSize(pages);
    area->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    return size;
}

// The part of the screen the window may take, its frame left aside.
QRect roomOnScreen(const QWidget* window)
{
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    // The window system's frame around the window, known once the window is on screen; room
    // for a usual one before.
    const QSize frame = (window->frameGeometry().size() - window->geometry().size()).expandedTo(QSize(2 * 8, 8 + 32));
    return QRect(area.topLeft(), area.size() - frame);
}

} // namespace

void layOutAfresh(QWidget* widget)
{
    if (QLayout* layout = widget->layout()) {
        layout->invalidate();
        layout->activate();
    }
}

QFont designFont(const QString& family, int pointSize)
{
    QFont font = QApplication::font();
    if (QFontDatabase::hasFamily(family))
        font.setFamily(family);
    font.setPointSize(pointSize);
    return font;
}

void fitListHeight(QListWidget* list, int rows, const QListWidget* like)
{
    const int row = like->sizeHintForRow(0) > 0 ? like->sizeHintForRow(0) : like->fontMetrics().height() + 2;
    list->setFixedHeight(rows * row + 2 * list->frameWidth() + 2);
}

void fitWindowToPages(QMainWindow* window, QWidget* area, const QList<QFrame*>& pages)
{
    for (QFrame* page : pages)
        widenPage(page);
    QSize size = measureWindow(window, area, pagesSize(pages));
    // Never wider than the screen leaves room for: long texts go on more lines instead.
    const QRect room = roomOnScreen(window);
    if (size.width() > room.width()) {
        const int pageWidth = area->minimumWidth() - (size.width() - room.width());
        for (QFrame* page : pages)
            narrowPage(page, pageWidth);
        size = measureWindow(window, area, pagesSize(pages));
    }
    window->setFixedSize(size.boundedTo(room.size()));
    // Wholly on the screen, as near to where it was as it can be.
    window->move(qBound(room.left(), window->x(), qMax(room.left(), room.right() + 1 - window->width())),
                 qBound(room.top(), window->y(), qMax(room.top(), room.bottom() + 1 - window->height())));
}

QString breakIntoLines(const QString& text, const QFontMetrics& metrics, int width)
{
    QStringList lines;
    QString line;
    for (QString word : text.split(QLatin1Char(' '))) {
        const QString joined = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
        if (widthOf(metrics, joined) <= width) {
            line = joined;
            continue;
        }
        if (!line.isEmpty())
            lines << line;
        while (widthOf(metrics, word) > width) {
            const int length = fittingPrefix(word, metrics, width);
            lines << word.left(length);
            word = word.mid(length);
        }
        line = word;
    }
    lines << line;
    return lines.join(QLatin1Char('\n'));
}

bool narrowPage(QWidget* page, int width)
{
    const auto fits = [page, width] {
        layOutAfresh(page);
        return page->minimumSizeHint().width() <= width;
    };
    if (fits())
        return true;
    // One cap for every control first, as wide as lets the page fit; then each control as wide
    // as the page still allows (a check box alone in its row may take the whole row).
    const QList<QWidget*> controls = narrowable(page);
    const int common = widestCap(NarrowestText, width, [&](int cap) {
        for (QWidget* w : controls)
            limit(w, cap);
    }, fits);
    for (QWidget* w : controls)
        widestCap(common, width, [w](int cap) { limit(w, cap); }, fits);
    return fits();
}

void widenPage(QWidget* page)
{
    for (QWidget* w : page->findChildren<QWidget*>()) {
        if (w->property(Narrowed).toBool()) {
            w->setMaximumWidth(QWIDGETSIZE_MAX);
            w->setProperty(Narrowed, QVariant());
        }
        if (w->property(WholeText).isValid()) {
            if (captionOf(w) == w->property(BrokenText).toString())
                setCaptionOf(w, w->property(WholeText).toString());
            w->setProperty(WholeText, QVariant());
            w->setProperty(BrokenText, QVariant());
        }
    }
    layOutAfresh(page);
}
