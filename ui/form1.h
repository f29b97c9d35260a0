#pragma once

#include "converter.h"

#include <QWidget>

#include <memory>

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QToolButton;

namespace numoria {

class Animation;
class IdeogramCell;
class LineEditInput;
class WidgetColumn;

// The main window: prompt, input box, convert button, ideogram column,
// animation and the one menu. Handlers keep the names the window was designed
// with, so each can be driven and tested on its own.
class Form1 : public QWidget
{
    Q_OBJECT

public:
    explicit Form1(QWidget *parent = nullptr);
    ~Form1() override;

    void Form_Load();
    Outcome Command1_Click();
    void Text1_KeyPress(int &KeyAscii);
    void Text1_Change();
    void Image1_MouseMove(int Index);
    void mnfr_Click();
    void mnall_Click();
    void mnengl_Click();
    void mnapro_Click();
    void mnquit_Click();

    WidgetColumn &column() const { return *column_; }

    // The client area, in device-independent pixels (the window adds its menu).
    static QSize clientSize();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void buildControls();
    void buildMenu();
    void fitFonts();
    void mise_en_form();
    void chooseLanguage(QAction *item, std::int16_t code);

    QWidget *client_ = nullptr;
    QMenuBar *menuBar_ = nullptr;
    QMenu *mnfich_ = nullptr;
    QAction *mnapro_ = nullptr;
    QAction *mnfr_ = nullptr;
    QAction *mnall_ = nullptr;
    QAction *mnengl_ = nullptr;
    QAction *mnquit_ = nullptr;
    QLabel *Label1_ = nullptr;
    QLineEdit *Text1_ = nullptr;
    QToolButton *Command1_ = nullptr;
    Animation *Animation1_ = nullptr;
    std::unique_ptr<WidgetColumn> column_;
    std::unique_ptr<LineEditInput> input_;
    std::unique_ptr<Converter> converter_;
    bool centred_ = false;
};

}  // namespace numoria
