#pragma once
// TfrmLanguage: the small dialog in which the user picks a language library.
#include <QDialog>
#include <QString>

#include <memory>

class QComboBox;
class QGroupBox;
class QPushButton;

namespace Ui {
class TfrmLanguage;
}

class TfrmLanguage : public QDialog {
    Q_OBJECT
public:
    explicit TfrmLanguage(QWidget* parent = nullptr);
    ~TfrmLanguage() override;

    // The one dialog of the program, created on first use and kept until the program ends.
    static TfrmLanguage* instance();

    QGroupBox* gbMain() const;
    QComboBox* cbLanguage() const;
    QPushButton* btnOK() const;
    QPushButton* btnCancel() const;

    // With cbLanguage holding file names ("slovak.dll"): selects the one equal to `fileName`
    // in any letter case (none when there is no such item), then shows every name without
    // its extension ("slovak"), the part before its first dot.
    void selectLibrary(const QString& fileName);
    // The file name of the selected library; empty when none is selected.
    QString chosenLibrary() const;

protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    std::unique_ptr<Ui::TfrmLanguage> ui;
};
