#include "i18n/LanguageSwitch.h"

#include "dialogs/BrowsDlg.h"
#include "dialogs/DesktopServices.h"
#include "dialogs/SaveDialog.h"
#include "lang/LanguageAbi.h"
#include "platform/AtomicFile.h"
#include "platform/DirReader.h"
#include "platform/DynamicLibrary.h"
#include "platform/Errors.h"
#include "platform/Path.h"
#include "platform/VersionInfo.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QStringDecoder>

#include <vector>

namespace {

std::string local(const QString& s)
{
    return s.toLocal8Bit().toStdString();
}

QObject* requireObject(QObject* form, const char* name)
{
    QObject* object = form->findChild<QObject*>(QLatin1String(name));
    if (!object)
        throw platform::TunesheetError(std::string("ChangeLanguage: the window has no ") + name);
    return object;
}

template <class T>
T* require(QObject* form, const char* name)
{
    T* object = qobject_cast<T*>(requireObject(form, name));
    if (!object)
        throw platform::TunesheetError(std::string("ChangeLanguage: ") + name + " is not of the kind its text needs");
    return object;
}

// The label of a labelled edit: its own child label, or the label that names it as its buddy.
QLabel* attachedLabel(QObject* form, const char* name)
{
    QObject* edit = requireObject(form, name);
    if (auto* own = edit->findChild<QLabel*>(QString(), Qt::FindDirectChildrenOnly))
        return own;
    for (QLabel* label : form->findChildren<QLabel*>())
        if (label->buddy() == edit)
            return label;
    throw platform::TunesheetError(std::string("ChangeLanguage: ") + name + " has no label");
}

QString caption(QObject* object)
{
    if (auto* menu = qobject_cast<QMenu*>(object))
        return menu->title();
    if (auto* box = qobject_cast<QGroupBox*>(object))
        return box->title();
    if (auto* action = qobject_cast<QAction*>(object))
        return action->text();
    if (auto* label = qobject_cast<QLabel*>(object))
        return label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(object))
        return button->text();
    throw platform::TunesheetError("ChangeLanguage: " + local(object->objectName()) + " has no caption");
}

void setCaption(QObject* object, const QString& text)
{
    // An action passes its caption on to the menu items and buttons that show it.
    if (auto* menu = qobject_cast<QMenu*>(object))
        menu->setTitle(text);
    else if (auto* box = qobject_cast<QGroupBox*>(object))
        box->setTitle(text);
    else if (auto* action = qobject_cast<QAction*>(object))
        action->setText(text);
    else if (auto* label = qobject_cast<QLabel*>(object))
        label->setText(text);
    else if (auto* button = qobject_cast<QAbstractButton*>(object))
        button->setText(text);
    else
        throw platform::TunesheetError("ChangeLanguage: " + local(object->objectName()) + " has no caption");
}

QString hint(QObject* object)
{
    if (auto* action = qobject_cast<QAction*>(object))
        return action->statusTip();
    if (auto* widget = qobject_cast<QWidget*>(object))
        return widget->statusTip();
    throw platform::TunesheetError("ChangeLanguage: " + local(object->objectName()) + " has no hint");
}

void setHint(QObject* object, const QString& text)
{
    // Hints are status tips; where a tool tip repeats the hint (the glyph buttons of the
    // items-order page), it follows.
    if (auto* action = qobject_cast<QAction*>(object)) {
        if (!action->statusTip().isEmpty() && action->toolTip() == action->statusTip())
            action->setToolTip(text);
        action->setStatusTip(text);
    } else if (auto* widget = qobject_cast<QWidget*>(object)) {
        if (!widget->statusTip().isEmpty() && widget->toolTip() == widget->statusTip())
            widget->setToolTip(text);
        widget->setStatusTip(text);
    } else {
        throw platform::TunesheetError("ChangeLanguage: " + local(object->objectName()) + " has no hint");
    }
}

QString itemText(QObject* list, int item)
{
    if (auto* combo = qobject_cast<QComboBox*>(list)) {
        if (item < 0 || item >= combo->count())
            throw platform::ListIndexError(item);
        return combo->itemText(item);
    }
    if (auto* widget = qobject_cast<QListWidget*>(list)) {
        if (item < 0 || item >= widget->count())
            throw platform::ListIndexError(item);
        return widget->item(item)->text();
    }
    throw platform::TunesheetError("ChangeLanguage: " + local(list->objectName()) + " has no items");
}

void setItemText(QObject* list, int item, const QString& text)
{
    // Replaced in place: the selection and check marks stay.
    if (auto* combo = qobject_cast<QComboBox*>(list)) {
        if (item < 0 || item >= combo->count())
            throw platform::ListIndexError(item);
        combo->setItemText(item, text);
    } else if (auto* widget = qobject_cast<QListWidget*>(list)) {
        if (item < 0 || item >= widget->count())
            throw platform::ListIndexError(item);
        widget->item(item)->setText(text);
    } else {
        throw platform::TunesheetError("ChangeLanguage: " + local(list->objectName()) + " has no items");
    }
}

// The column each entry of lbSelected stands for, found by its text in lbAvailable as the
// column mapping does; -1 for an entry without a match.
std::vector<int> selectedColumns(QObject* form)
{
    std::vector<int> columns;
    auto* available = form->findChild<QListWidget*>(QStringLiteral("lbAvailable"));
    auto* selected = form->findChild<QListWidget*>(QStringLiteral("lbSelected"));
    if (!available || !selected)
        return columns;
    for (int i = 0; i < selected->count(); ++i) {
        int column = -1;
        for (int j = 0; j < available->count() && column < 0; ++j)
            if (available->item(j)->text() == selected->item(i)->text())
                column = j;
        columns.push_back(column);
    }
    return columns;
}

void relabelSelectedColumns(QObject* form, const std::vector<int>& columns)
{
    auto* available = form->findChild<QListWidget*>(QStringLiteral("lbAvailable"));
    auto* selected = form->findChild<QListWidget*>(QStringLiteral("lbSelected"));
    if (!available || !selected)
        return;
    for (int i = 0; i < selected->count() && i < static_cast<int>(columns.size()); ++i)
        if (columns[i] >= 0 && columns[i] < available->count())
            selected->item(i)->setText(available->item(columns[i])->text());
}

// The library's texts are in the code page of its translation entry; 1252 when it names none.
QByteArray codePageName(const std::string& libraryPath)
{
    platform::VersionInfo info;
    if (platform::readVersionInfo(libraryPath, info) && info.hasTranslation) {
        QByteArray name = info.codePage == 65001 ? QByteArray("UTF-8") : "windows-" + QByteArray::number(info.codePage);
        if (QStringDecoder(name.constData()).isValid())
            return name;
    }
    return "windows-1252";
}

void languageNotFound(QWidget* form)
{
    DesktopServices::instance().message(form, QMessageBox::NoIcon, QStringLiteral("Language not found"));
}

} // namespace

QString languageTargetText(QObject* form, const HeldTexts& texts, const LanguageTarget& target)
{
    switch (target.kind) {
    case TextKind::Caption:
        return caption(requireObject(form, target.objectName));
    case TextKind::Hint:
        return hint(requireObject(form, target.objectName));
    case TextKind::EditLabel:
        return attachedLabel(form, target.objectName)->text();
    case TextKind::Item:
        return itemText(requireObject(form, target.objectName), target.item);
    case TextKind::SaveFilter:
        return require<TSaveDialog>(form, target.objectName)->filter();
    case TextKind::SaveTitle:
        return require<TSaveDialog>(form, target.objectName)->windowTitle();
    case TextKind::FolderCaption:
        return require<TBrowseDialog>(form, target.objectName)->Caption;
    case TextKind::Held:
        return texts.*target.held;
    }
    return QString();
}

void setLanguageTargetText(QObject* form, HeldTexts& texts, const LanguageTarget& target, const QString& text)
{
    switch (target.kind) {
    case TextKind::Caption:
        setCaption(requireObject(form, target.objectName), text);
        break;
    case TextKind::Hint:
        setHint(requireObject(form, target.objectName), text);
        break;
    case TextKind::EditLabel:
        attachedLabel(form, target.objectName)->setText(text);
        break;
    case TextKind::Item:
        setItemText(requireObject(form, target.objectName), target.item, text);
        break;
    case TextKind::SaveFilter:
        require<TSaveDialog>(form, target.objectName)->setFilter(text);
        break;
    case TextKind::SaveTitle:
        require<TSaveDialog>(form, target.objectName)->setWindowTitle(text);
        break;
    case TextKind::FolderCaption:
        require<TBrowseDialog>(form, target.objectName)->Caption = text;
        break;
    case TextKind::Held:
        texts.*target.held = text;
        break;
    }
}

bool ChangeLanguage(QWidget* form, HeldTexts& texts, const QString& libraryFileName)
{
    // Loaded for this call only; the destructor unloads it, also when an assignment throws.
    platform::DynamicLibrary library;
    if (!library.load(local(libraryFileName))) {
        languageNotFound(form);
        return false;
    }
    auto GetMyStr = reinterpret_cast<GetMyStrFunction>(library.symbol(TUNESHEET_GETMYSTR_NAME));
    if (!GetMyStr) {
        library.unload();
        languageNotFound(form);
        return false;
    }
    const QByteArray codePage = codePageName(library.path());

    // The four drop-down lists keep the entry the user had selected.
    std::vector<std::pair<QComboBox*, int>> selections;
    for (const char* name : {"cmbID3TagPriority", "cmbAfterGenerate", "cmbFileSizeIn", "cmbFileName"})
        if (auto* combo = form->findChild<QComboBox*>(QLatin1String(name)))
            selections.emplace_back(combo, combo->currentIndex());
    const std::vector<int> columns = selectedColumns(form);

    for (const LanguageTarget& target : languageTargets()) {
        unsigned char buffer[LanguageSlotSize] = {};
        GetMyStr(target.index, buffer);
        QStringDecoder decode(codePage.constData());
        const QString text = decode(QByteArrayView(reinterpret_cast<const char*>(buffer + 1), buffer[0]));
        setLanguageTargetText(form, texts, target, text);
    }

    for (auto& [combo, index] : selections)
        combo->setCurrentIndex(index);
    relabelSelectedColumns(form, columns);
    return true;
}

QString languageChoiceFile()
{
    return QString::fromLocal8Bit(platform::besideExecutable(".language").c_str());
}

QString executableFolder()
{
    return QString::fromLocal8Bit(platform::extractFilePath(platform::executablePath()).c_str());
}

QString readLanguageChoice(const QString& file)
{
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        return QString();
    // Line 1 ends at the first carriage return or line feed; nothing is trimmed. A file name
    // is far shorter than what is read here.
    QByteArray first = in.read(64 * 1024);
    qsizetype end = 0;
    while (end < first.size() && first[end] != '\r' && first[end] != '\n')
        ++end;
    first.truncate(end);
    return QString::fromLocal8Bit(first);
}

QString recordedLanguageLibrary(const QString& file, const QString& folder)
{
    const QString line = readLanguageChoice(file);
    if (line.isEmpty() || !platform::fileExists(local(folder + line)))
        return QString();
    return line;
}

void saveLanguageChoice(const QString& library, const QString& file)
{
    if (library.isEmpty())
        return;
    const QByteArray line = library.toLocal8Bit() + "\r\n";
    platform::AtomicFile out(local(file));
    out.write(line.constData(), static_cast<std::size_t>(line.size()));
    out.commit();
}

void applyRecordedLanguage(QWidget* form, HeldTexts& texts, QString& LanguageLibrary, const QString& file)
{
    // The library is loaded from the executable's folder, so it is looked for there.
    LanguageLibrary = recordedLanguageLibrary(file, executableFolder());
    if (!LanguageLibrary.isEmpty())
        ChangeLanguage(form, texts, LanguageLibrary);
}

void switchToSlovak(QWidget* form, HeldTexts& texts, QString& LanguageLibrary)
{
    DesktopServices::instance().message(form, QMessageBox::NoIcon, QStringLiteral("Skusim nahrat slovak.dll"));
    LanguageLibrary = QStringLiteral("slovak.dll");
    ChangeLanguage(form, texts, LanguageLibrary);
}
