#pragma once
// TfrmAboutBox: the program's icon, name and version, a notice and the home-page address,
// which opens in the browser; a click anywhere else closes the box.
#include "dialogs/DialogTexts.h"

#include <QDialog>
#include <QString>

#include <memory>

class QLabel;

namespace Ui {
class TfrmAboutBox;
}

class TfrmAboutBox : public QDialog {
    Q_OBJECT
public:
    // `executable` is the file whose product version the box shows.
    explicit TfrmAboutBox(const QString& executable = defaultExecutable(), QWidget* parent = nullptr);
    ~TfrmAboutBox() override;

    // The one box of the program, created on first use and kept until the program ends.
    static TfrmAboutBox* instance();
    static QString defaultExecutable();

    QLabel* label(const char* name) const;
    void setTexts(const AboutTexts& texts);
    // The address the link shows and opens (the program's home page: its guide).
    void setAddress(const QString& address);
    const QString& address() const { return address_; }

    // A click on the icon, a panel or a label other than the address: closes the box (OK).
    void AnywhereClick();
    // A click on the address: opens it with the desktop's browser; the box stays open.
    void lblLinkClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void FormCreate(const QString& executable);

    std::unique_ptr<Ui::TfrmAboutBox> ui;
    QString version_;
    QString address_;
};
