// Settings between the form, the record and the ".settings" file.
#include "ui/ColourBox.h"
#include "ui/PathText.h"
#include "ui/unMain.h"

#include "desktop/FakeDesktop.h"
#include "generator/TextEncoding.h"
#include "ui/WindowFixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>

#include <cstring>

namespace {

const char* const comboNames[] = {"cmbID3TagPriority", "cmbAfterGenerate", "cmbFileSizeIn", "cmbFileName", "cmbPageKind",
                                  "cmbLegacyEncoding"};
const char* const checkNames[] = {"chkIncludeSubdirectories", "chkDirOverTable", "chkAllDirsInOneTable", "chkWrap"};
const char* const editNames[] = {"lbledtInput", "lbledtOutput", "lbledtPageCaption"};
const char* const colourNames[] = {"cbxPageBackground", "cbxPageText", "cbxDirectoryName", "cbxCellBackground",
                                   "cbxHeaderBackground", "cbxActiveLink", "cbxMouseOverActiveLink"};

QStringList texts(const QListWidget* list)
{
    QStringList result;
    for (int i = 0; i < list->count(); ++i)
        result << list->item(i)->text();
    return result;
}

// Everything the settings controls show, as one comparable text.
QString formState(const WindowFixture& f)
{
    QStringList state;
    for (const char* n : editNames)
        state << f.child<QLineEdit>(n)->text();
    for (const char* n : checkNames)
        state << QString::number(f.child<QCheckBox>(n)->isChecked());
    for (const char* n : comboNames)
        state << QString::number(f.child<QComboBox>(n)->currentIndex());
    for (const char* n : colourNames)
        state << QString::number(f.child<ColourBox>(n)->colour(), 16);
    auto* links = f.child<QListWidget>("chklbActiveLinks");
    for (int i = 0; i < links->count(); ++i)
        state << QString::number(links->item(i)->checkState());
    state << texts(f.child<QListWidget>("lbSelected")).join(QChar('|'));
    return state.join(QChar('\n'));
}

void setSelected(const WindowFixture& f, const QStringList& columns)
{
    auto* selected = f.child<QListWidget>("lbSelected");
    selected->clear();
    selected->addItems(columns);
}

// Gives every control a value other than its initial one (or, with `other`, a second set).
void changeEveryControl(const WindowFixture& f, bool other)
{
    f.child<QLineEdit>("lbledtInput")->setText(other ? "/srv/other/" : "/music/rock/");
    f.child<QLineEdit>("lbledtOutput")->setText(other ? "/srv/pages/other.htm" : "/home/me/rock.htm");
    f.child<QLineEdit>("lbledtPageCaption")->setText(other ? "Other" : "My rock");
    for (const char* n : checkNames)
        f.child<QCheckBox>(n)->setChecked(!other);
    f.child<QComboBox>("cmbID3TagPriority")->setCurrentIndex(other ? 1 : 0);
    f.child<QComboBox>("cmbAfterGenerate")->setCurrentIndex(other ? 0 : 2);
    f.child<QComboBox>("cmbFileSizeIn")->setCurrentIndex(other ? 1 : 2);
    f.child<QComboBox>("cmbFileName")->setCurrentIndex(other ? 0 : 1);
    f.child<QComboBox>("cmbPageKind")->setCurrentIndex(other ? 0 : 1);
    auto* encodings = f.child<QComboBox>("cmbLegacyEncoding");
    encodings->setCurrentIndex(encodings->findText(other ? "KOI8-R" : "windows-1250"));
    for (int i = 0; i < 7; ++i)
        f.child<ColourBox>(colourNames[i])->setColour(other ? rgbColour(0, 128, 0) : rgbColour(10 + i, 20, 30));
    f.child<ColourBox>("cbxPageText")->setColour(other ? rgbColour(1, 2, 3) : rgbColour(0xA6, 0xCA, 0xF0));
    auto* links = f.child<QListWidget>("chklbActiveLinks");
    for (int i = 0; i < links->count(); ++i)
        links->item(i)->setCheckState((i != 1) != other ? Qt::Checked : Qt::Unchecked);
    setSelected(f, other ? QStringList{"Artist", "Title", "Album"}
                         : QStringList{"Year", "Track", "Artist", "Bit rate mode", "File name"});
}

std::string bytesOf(const TGeneratorSettings& s)
{
    return std::string(reinterpret_cast<const char*>(&s), sizeof s);
}

TGeneratorSettings recordWithCaption(const std::string& caption)
{
    TGeneratorSettings s = initialFormSettings();
    s.PageCaption = caption;
    return s;
}

} // namespace

class SettingsTransferTest : public QObject {
    Q_OBJECT
private slots:
    void saveChangeEverythingLoadRestoresTheSavedForm()
    {
        FakeDesktop desktop;
        WindowFixture f;
        changeEveryControl(f, false);
        const QString saved = formState(f);
        f.action("acSaveSettings")->trigger();
        changeEveryControl(f, true);
        QVERIFY(formState(f) != saved);
        f.action("acLoadSettings")->trigger();
        QCOMPARE(formState(f), saved);
        QCOMPARE(texts(f.child<QListWidget>("lbSelected")),
                 (QStringList{"Year", "Track", "Artist", "Bit rate mode", "File name"}));
        QCOMPARE(f.child<QComboBox>("cmbLegacyEncoding")->currentText(), QStringLiteral("windows-1250"));
        QVERIFY(readFile(f.tmp.path("tunesheet.options")).find("legacy-encoding=windows-1250\r\n") != std::string::npos);
        QVERIFY(desktop.messages.empty());
        // And the next start shows the same.
        f.restart();
        QCOMPARE(formState(f), saved);
    }

    void aShortFileIsReportedAndChangesNothing()
    {
        FakeDesktop desktop;
        WindowFixture f;
        changeEveryControl(f, false);
        f.window->FormToClass();
        const QString before = formState(f);
        const std::string record = bytesOf(f.window->Generator().Settings);
        const std::string damaged = bytesOf(recordWithCaption("from the file")).substr(0, 995);
        f.tmp.write("tunesheet.settings", damaged);
        f.action("acLoadSettings")->trigger();
        const QString file = QString::fromStdString(f.settingsFile());
        QVERIFY(desktop.onlyMessage(QMessageBox::Critical, "The file " + file +
                                                               " is shorter than it should be.\rThe file was kept as " +
                                                               file + ".damaged.1."));
        QCOMPARE(formState(f), before);
        QCOMPARE(bytesOf(f.window->Generator().Settings), record);
        // The close writes a new file; the damaged one is still there for the user.
        f.window->close();
        QCOMPARE(readFile(f.settingsFile() + ".damaged.1"), damaged);
        QCOMPARE(readFile(f.settingsFile()).size(), std::size_t(996));
    }

    void aLongFileLoadsItsFirstRecordAndTheNextSaveWritesOne()
    {
        FakeDesktop desktop;
        WindowFixture f;
        f.tmp.write("tunesheet.settings", bytesOf(recordWithCaption("first record")) + "tail");
        f.action("acLoadSettings")->trigger();
        QCOMPARE(f.child<QLineEdit>("lbledtPageCaption")->text(), QStringLiteral("first record"));
        f.action("acSaveSettings")->trigger();
        QCOMPARE(readFile(f.settingsFile()).size(), std::size_t(996));
        QVERIFY(desktop.messages.empty());
    }

    // The slots take the columns of the record's kinds; the options file beside the record
    // takes the whole list.
    void selectedColumnsFillTheSlotsInTheirOrder()
    {
        FakeDesktop desktop;
        WindowFixture f;
        f.tmp.write("tunesheet.settings", bytesOf(initialFormSettings()));
        f.tmp.write("tunesheet.options", "# kept\r\nlater-key=1\r\ncolumns=year\r\n");
        f.restart();
        setSelected(f, {"Track", "Title", "Bit rate", "Artist"});
        f.window->FormToClass();
        const TGeneratorSettings& s = f.window->Generator().Settings;
        const std::uint8_t expected[7] = {2, 1, 0, 0, 0, 0, 0};
        QVERIFY(std::memcmp(s.SelectedItems, expected, 7) == 0);
        QCOMPARE(s.SelectedNames[0].str(), std::string("Title"));
        QCOMPARE(s.SelectedNames[1].str(), std::string("Artist"));
        for (int i = 2; i < 7; ++i)
            QCOMPARE(s.SelectedNames[i].length, std::uint8_t(0));
        f.window->close();
        QVERIFY(readFile(f.tmp.path("tunesheet.options")) ==
                "# kept\r\nlater-key=1\r\ncolumns=track,title,bitrate,artist\r\n");
        QVERIFY(desktop.messages.empty());
    }

    // A list that does not agree with the record is not used; a value that cannot be used is
    // told, in the window's language, and the record's columns are shown.
    void optionsTheRecordDoesNotAgreeWithAreNotUsed()
    {
        FakeDesktop desktop;
        WindowFixture f;
        TGeneratorSettings s = initialFormSettings();
        const std::uint8_t ids[7] = {ciTitle, ciArtist, 0, 0, 0, 0, 0};
        std::memcpy(s.SelectedItems, ids, 7);
        f.tmp.write("tunesheet.settings", bytesOf(s));
        f.tmp.write("tunesheet.options", "columns=artist,track,title\r\n");
        f.action("acLoadSettings")->trigger();
        QCOMPARE(texts(f.child<QListWidget>("lbSelected")), (QStringList{"Title", "Artist"}));
        QVERIFY(desktop.messages.empty());

        f.tmp.write("tunesheet.options", "columns=title,genre\r\ncolumns=title,colour\r\n");
        f.action("acLoadSettings")->trigger();
        const QString file = QString::fromStdString(f.tmp.path("tunesheet.options"));
        QVERIFY(desktop.onlyMessage(QMessageBox::Warning, file + ", line 2: columns=title,colour cannot be used; "
                                                                 "the default is used instead."));
        QCOMPARE(texts(f.child<QListWidget>("lbSelected")), (QStringList{"Title", "Artist"}));
    }

    void longTextsAreCutAtACharacterBoundary()
    {
        WindowFixture f;
        // 254 letters, then a two-byte letter that would end one byte past the field.
        const QString caption = QString(254, QChar('a')) + QStringLiteral("\u010D") + QString(45, QChar('b'));
        f.child<QLineEdit>("lbledtPageCaption")->setText(caption);
        f.child<QLineEdit>("lbledtInput")->setText(QString(300, QChar('d')));
        // A translated column name longer than the 25 bytes of a slot keeps its column.
        const QString longName = QStringLiteral("Interpret skladby (umelec)");
        f.child<QListWidget>("lbAvailable")->item(0)->setText(longName);
        setSelected(f, {longName});
        f.window->FormToClass();
        const TGeneratorSettings& s = f.window->Generator().Settings;
        QCOMPARE(s.PageCaption.str(), std::string(254, 'a'));
        QCOMPARE(s.InputDir.str(), std::string(255, 'd'));
        QCOMPARE(s.SelectedNames[0].str(), longName.left(25).toStdString());
        QCOMPARE(s.SelectedItems[0], std::uint8_t(ciArtist));
        f.window->ClassToForm();
        QCOMPARE(f.child<QLineEdit>("lbledtPageCaption")->text(), QString(254, QChar('a')));
    }

    // A damaged file is repaired field by field: each bad field takes its default, the rest
    // is kept, the user is told which fields, and the file as it was is kept under a number
    // of its own.
    void aDamagedFileIsRepairedFieldByField()
    {
        FakeDesktop desktop;
        WindowFixture f;
        TGeneratorSettings damaged = recordWithCaption("kept caption");
        damaged.InputDir = std::string("/music/kept/");
        damaged.SelectedItems[1] = 9;
        damaged.FileSizeUnit = 7;
        damaged.CellBackColor.bytes[3] = 0x80;
        damaged.PageTextColor.set(rgbColour(0x12, 0x34, 0x56));
        f.tmp.write("tunesheet.settings", bytesOf(damaged));
        f.action("acLoadSettings")->trigger();
        const QString file = QString::fromStdString(f.settingsFile());
        QVERIFY(desktop.onlyMessage(QMessageBox::Warning,
                                    "Some settings in " + file + " could not be used and now have their defaults: "
                                    "Show file size in, Table cell background, Selected items.\rThe file was kept as " +
                                    file + ".damaged.1."));
        QCOMPARE(f.child<QLineEdit>("lbledtPageCaption")->text(), QStringLiteral("kept caption"));
        QCOMPARE(f.child<QLineEdit>("lbledtInput")->text(), QStringLiteral("/music/kept/"));
        QCOMPARE(f.child<ColourBox>("cbxPageText")->colour(), rgbColour(0x12, 0x34, 0x56));
        QCOMPARE(f.child<ColourBox>("cbxCellBackground")->colour(), rgbColour(255, 204, 0));
        QCOMPARE(f.child<QComboBox>("cmbFileSizeIn")->currentIndex(), int(fsKiloBytes));
        QCOMPARE(texts(f.child<QListWidget>("lbSelected")), texts(f.child<QListWidget>("lbAvailable")).mid(0, ColumnSlots));
        QCOMPARE(readFile(f.settingsFile() + ".damaged.1"), bytesOf(damaged));

        // A second damaged file is kept beside the first, not over it.
        damaged.TagPriority = 3;
        f.tmp.write("tunesheet.settings", bytesOf(damaged));
        f.action("acLoadSettings")->trigger();
        QCOMPARE(readFile(f.settingsFile() + ".damaged.2"), bytesOf(damaged));
        QVERIFY(readFile(f.settingsFile() + ".damaged.1") != bytesOf(damaged));
    }

    void editedFilesAreShownAsTheyCanBe()
    {
        FakeDesktop desktop;
        WindowFixture f;
        TGeneratorSettings edited = initialFormSettings();
        const std::uint8_t ids[7] = {2, 0, 2, 1, 0, 0, 0};
        std::memcpy(edited.SelectedItems, ids, 7);
        edited.ActiveLinks = alFileName;
        f.tmp.write("tunesheet.settings", bytesOf(edited));
        f.action("acLoadSettings")->trigger();
        QVERIFY(desktop.messages.empty());
        // Each column once, gaps skipped.
        QCOMPARE(texts(f.child<QListWidget>("lbSelected")), (QStringList{"Title", "Artist"}));
        auto* links = f.child<QListWidget>("chklbActiveLinks");
        QCOMPARE(links->item(0)->checkState(), Qt::Unchecked);
        QCOMPARE(links->item(2)->checkState(), Qt::Checked);
    }

    // A folder named in Latin-1 on a UTF-8 system: shown readably, and written back as it came
    // until the user edits it.
    void aPathInAnyEncodingKeepsItsBytesThroughAStartAndAClose()
    {
        FakeDesktop desktop;
        WindowFixture f;
        const std::string folder = f.tmp.dir() + "Caf\xE9 M\xFAsica/";
        TGeneratorSettings s = initialFormSettings();
        s.InputDir = folder;
        s.OutputFile = folder + "list.htm";
        f.tmp.write("tunesheet.settings", bytesOf(s));
        f.tmp.write("tunesheet.dirs", folder + "\r\n");
        f.restart();
        auto* input = f.child<QLineEdit>("lbledtInput");
        QCOMPARE(input->text(), QString::fromStdString(f.tmp.dir()) + QString::fromUtf8("Café Música/"));
        // A name of UTF-8 and stray bytes mixed reads as the page reads it: one decoder for both.
        const std::string mixed = "/m/Caf\xC3\xA9 \xFF.mp3";
        QCOMPARE(pathForDisplay(mixed), QString::fromStdString(pathToPage(mixed, platform::LegacyEncoding::Iso8859_1)));
        f.window->close();
        QCOMPARE(readSettingsFile(f.settingsFile()).InputDir.str(), folder);
        QCOMPARE(readSettingsFile(f.settingsFile()).OutputFile.str(), folder + "list.htm");
        QCOMPARE(readFile(f.tmp.path("tunesheet.dirs")), folder + "\r\n");

        // Chosen again from the recent menu, it keeps them too.
        input->clear();
        QMenu* recent = f.child<QMenu>("mnuRecentDirs");
        emit recent->aboutToShow();
        recent->actions().first()->trigger();
        f.window->FormToClass();
        QCOMPARE(f.window->Generator().Settings.InputDir.str(), folder);
        // Edited, it is what the user typed.
        input->setText(input->text() + "x");
        f.window->FormToClass();
        QCOMPARE(f.window->Generator().Settings.InputDir.str(), f.tmp.dir() + "Café Música/x");
    }

    // The window starts from the record the command-line tool starts from.
    void aFirstStartShowsTheInitialRecord()
    {
        FakeDesktop desktop;
        WindowFixture f;
        f.window->FormToClass();
        QCOMPARE(bytesOf(f.window->Generator().Settings), bytesOf(initialFormSettings()));
        // The legacy encodings in their usual order, the default chosen.
        auto* encodings = f.child<QComboBox>("cmbLegacyEncoding");
        QCOMPARE(encodings->count(), platform::LegacyEncodingCount);
        QCOMPARE(encodings->itemText(0), QStringLiteral("ISO-8859-1"));
        QCOMPARE(encodings->itemText(12), QStringLiteral("CP866"));
        QCOMPARE(encodings->currentText(), QStringLiteral("ISO-8859-1"));
    }

    void startWithoutColumnsSelectsAllAndAShortFileStillOpensTheWindow()
    {
        FakeDesktop desktop;
        WindowFixture f;
        TGeneratorSettings none = recordWithCaption("no columns");
        std::memset(none.SelectedItems, 0, sizeof none.SelectedItems);
        f.tmp.write("tunesheet.settings", bytesOf(none));
        f.restart();
        QCOMPARE(f.child<QLineEdit>("lbledtPageCaption")->text(), QStringLiteral("no columns"));
        QCOMPARE(texts(f.child<QListWidget>("lbSelected")),
                 (QStringList{"Artist", "Title", "Album", "Year", "Length", "File size", "File name"}));

        f.tmp.write("tunesheet.settings", std::string(10, 'x'));
        f.restart();
        QCOMPARE(desktop.messages.size(), std::size_t(1));
        QVERIFY(desktop.messages[0].text.contains(QStringLiteral("is shorter than it should be")));
        QCOMPARE(f.child<QListWidget>("lbSelected")->count(), 7);
        QCOMPARE(f.child<ColourBox>("cbxCellBackground")->colour(), rgbColour(255, 204, 0));
        QCOMPARE(f.child<QComboBox>("cmbID3TagPriority")->currentIndex(), int(tpID3v2First));
    }
};

QTEST_MAIN(SettingsTransferTest)
#include "settings_transfer_test.moc"
