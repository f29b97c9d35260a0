#pragma once

#include "kit/strings.h"

#include <QDialog>

class QLabel;
class QPushButton;

namespace clip {
class Animation;
}

namespace app {

// The About box: one instance for the whole program, written in the language
// of the moment it opens and destroyed by OK; it never follows a later change
// of language. OK, Enter and Escape close it. The widgets' object names:
//   frmAbout the box · Animation1 clip · lblTitle · lblVersion ·
//   lblDescription · Image1 logo · Label1 credit · lblDisclaimer ·
//   Line1 the two rules · cmdOK · cmdSysInfo
class AboutBox : public QDialog
{
    Q_OBJECT

public:
    // Creates the box if it is not open, then shows it; an open box is raised
    // unchanged, in the language it was opened in.
    static AboutBox *showInstance(kit::Language language);

private:
    explicit AboutBox(kit::Language language);
    void buildControls();
    void fillTexts(kit::Language language);
    void fitFonts();

    clip::Animation *animation_ = nullptr;
    QLabel *title_ = nullptr;
    QLabel *version_ = nullptr;
    QLabel *description_ = nullptr;
    QLabel *logo_ = nullptr;
    QLabel *credit_ = nullptr;
    QLabel *disclaimer_ = nullptr;
    QPushButton *okButton_ = nullptr;
    QPushButton *sysInfoButton_ = nullptr;
};

}  // namespace app
