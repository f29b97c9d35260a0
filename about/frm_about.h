#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace numoria {

class Animation;

// The About box: one instance for the whole program, built in the language of
// the moment it opens and destroyed by OK; it never follows a later change.
class frmAbout : public QDialog
{
    Q_OBJECT

public:
    // What the main window's About item does: create the box if it is not
    // open (running its set-up), then show it, or raise the open one unchanged.
    static frmAbout *showInstance();
    static frmAbout *instance();

    void cmdOK_Click();
    void cmdSysInfo_Click();

    // The client area, in device-independent pixels.
    static QSize clientSize();

public slots:
    void accept() override;
    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    frmAbout();
    void buildControls();
    void Form_Load();
    void fitFonts();

    Animation *Animation1_ = nullptr;
    QLabel *lblTitle_ = nullptr;
    QLabel *lblVersion_ = nullptr;
    QLabel *lblDescription_ = nullptr;
    QLabel *Image1_ = nullptr;
    QLabel *Label1_ = nullptr;
    QLabel *lblDisclaimer_ = nullptr;
    QPushButton *cmdOK_ = nullptr;
    QPushButton *cmdSysInfo_ = nullptr;
    bool centred_ = false;
};

}  // namespace numoria
