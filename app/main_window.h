#pragma once

#include "kit/strings.h"

#include <QWidget>

#include <memory>

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
    ~MainWindow() override;

    kit::Language language() const { return language_; }
    const ColumnWidget &column() const { return *column_; }

    // The convert button: writes the number box's digits as ideograms.
    void convert();

    // The client area, in device-independent pixels (the window adds its menu).
    static QSize clientSize();

private:
    void buildControls();
    void buildMenu();
    void fitFonts();
    void chooseLanguage(kit::Language language);
    void applyLanguage();
    void onTypedCharacter(int &code);
    void onCommittedText(QString &typed);
    void onTextChanged();
    void showTooltip(int cellIndex);
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
    std::unique_ptr<ColumnWidget> column_;
    // The clip is read once the window has first reached the screen.
    bool clipStarted_ = false;
};

}  // namespace app
