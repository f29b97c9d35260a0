#pragma once

#include "kit/strings.h"

#include <QWidget>

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QToolButton;

namespace clip {
class Animation;
}

namespace app {

class ColumnWidget;

// The main window: a prompt, the number box, the convert button, the ideogram
// column, the animation and one menu. The widgets' object names, which tests
// and accessibility tools use:
//   Form1 the window · Label1 prompt · Text1 number box · Command1 convert
//   button · Image1 every ideogram cell · Animation1 clip · mnfich the menu ·
//   mnapro About · trai, trait2 separators · mnfr, mnall, mnengl French,
//   German, English · mnquit Quit
class MainWindow : public QWidget
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);

    // The convert button: writes the number box's digits as ideograms.
    void convert();

private:
    void buildControls();
    void buildMenu();
    void fitFonts();
    void chooseLanguage(kit::Language language);
    void applyLanguage();
    void onTextChanged();
    QString text(kit::Text which) const { return kit::text(language_, which); }

    kit::Language language_ = kit::Language::French;
    QWidget *client_ = nullptr;
    QMenuBar *menuBar_ = nullptr;
    QMenu *fileMenu_ = nullptr;
    QAction *aboutItem_ = nullptr;
    QAction *frenchItem_ = nullptr;
    QAction *germanItem_ = nullptr;
    QAction *englishItem_ = nullptr;
    QAction *quitItem_ = nullptr;
    QLabel *prompt_ = nullptr;
    QLineEdit *numberBox_ = nullptr;
    QToolButton *convertButton_ = nullptr;
    clip::Animation *animation_ = nullptr;
    ColumnWidget *column_ = nullptr;
    // The clip is read once the window has first reached the screen.
    bool clipStarted_ = false;
};

}  // namespace app
