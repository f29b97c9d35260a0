#include "app/main_window.h"

#include "app/about_box.h"
#include "app/column_widget.h"
#include "app/first_paint.h"
#include "app/keystroke_filter.h"
#include "clip/animation.h"
#include "clip/clip_path.h"
#include "kit/centring.h"
#include "kit/message_box.h"
#include "kit/style.h"
#include "numerals/numerals.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QSvgRenderer>
#include <QToolButton>
#include <QVBoxLayout>

namespace app {

namespace {

constexpr int kConvertIconPixels = 26;

void showDigitsOnly(QWidget *parent)
{
    kit::showMessage(parent, {kit::digitsOnlyText(), kit::digitsOnlyTitle(), kit::MessageIcon::Exclamation});
}

// The 零 picture drawn once for the button, at the screen's own density;
// a vector icon would load an icon-engine plugin at start-up for it.
QIcon zeroIcon(qreal ratio)
{
    QPixmap picture(QSize(kConvertIconPixels, kConvertIconPixels) * ratio);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    QSvgRenderer(kit::ideogramPicturePath(numerals::pictureNumber(numerals::Ideogram::Zero))).render(&painter);
    painter.end();
    picture.setDevicePixelRatio(ratio);
    return QIcon(picture);
}

}  // namespace

MainWindow::MainWindow(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("Form1"));
    // A fixed little window: no minimise or maximise button, and on Windows a
    // dialog frame whose system menu offers no Size.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setWindowIcon(kit::windowIcon());

    buildControls();
    buildMenu();

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(menuBar_);
    layout->addWidget(client_);
    if (kit::windowSizeCanBeFixed()) {
        layout->setSizeConstraint(QLayout::SetFixedSize);
    } else {
        layout->setSizeConstraint(QLayout::SetMinimumSize);
        kit::paintBackground(this, kit::lightYellow);  // round the client area when grown
    }

    applyLanguage();
    fitFonts();
    kit::centreWhenShown(this);
    // The clip is read once the window is on screen: the window comes first.
    afterFirstPaint(this, [this] {
        clipStarted_ = true;
        animation_->open(clip::clipPath());
    });
}

void MainWindow::buildControls()
{
    client_ = new QWidget(this);
    client_->setObjectName(QStringLiteral("client"));
    client_->setFixedSize(kit::twipsRect(0, 0, 2430, 4155).size());
    kit::paintBackground(client_, kit::lightYellow);

    numberBox_ = new QLineEdit(client_);
    numberBox_->setObjectName(QStringLiteral("Text1"));
    numberBox_->setGeometry(kit::twipsRect(1080, 600, 975, 285));
    QPalette cyan = numberBox_->palette();
    cyan.setColor(QPalette::Base, kit::lightCyan);
    numberBox_->setPalette(cyan);
    connect(new KeystrokeFilter(numberBox_), &KeystrokeFilter::refused, this, [this] { showDigitsOnly(this); });
    connect(numberBox_, &QLineEdit::textChanged, this, &MainWindow::onTextChanged);

    prompt_ = new QLabel(client_);
    prompt_->setObjectName(QStringLiteral("Label1"));
    prompt_->setGeometry(kit::twipsRect(480, 240, 1455, 255));
    prompt_->setBuddy(numberBox_);

    convertButton_ = new QToolButton(client_);
    convertButton_->setObjectName(QStringLiteral("Command1"));
    convertButton_->setGeometry(kit::twipsRect(960, 960, 1095, 855));
    convertButton_->setIcon(zeroIcon(devicePixelRatioF()));
    convertButton_->setIconSize(QSize(kConvertIconPixels, kConvertIconPixels));
    convertButton_->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    convertButton_->setFocusPolicy(Qt::StrongFocus);
    convertButton_->setStyleSheet(
        QStringLiteral(
            "QToolButton { background-color: %1; border: 1px solid #6c8f6c; border-radius: 3px; padding: 2px; }"
            "QToolButton:hover { border-color: #3d6b3d; }"
            "QToolButton:pressed { background-color: #a8e0a8; }"
            "QToolButton:focus { border: 2px solid #2f5fb3; }")
            .arg(kit::lightGreen.name()));
    connect(convertButton_, &QToolButton::clicked, this, &MainWindow::convert);

    // Cell 0 stands at 240, 600 twips; nine cells of 375 twips fit below.
    column_ = new ColumnWidget(client_);
    column_->setGeometry(kit::twipsRect(240, 600, 375, 375 * numerals::Column::capacity));

    animation_ = new clip::Animation(client_);
    animation_->setObjectName(QStringLiteral("Animation1"));
    animation_->setGeometry(kit::twipsRect(1080, 2760, 615, 615));

    numberBox_->setFocus();
}

void MainWindow::buildMenu()
{
    menuBar_ = new QMenuBar(this);
    menuBar_->setObjectName(QStringLiteral("menuBar"));
    fileMenu_ = menuBar_->addMenu(QStringLiteral("&fichier"));
    fileMenu_->setObjectName(QStringLiteral("mnfich"));

    const auto addItem = [this](const char *name, const QString &caption, auto handler) {
        QAction *item = fileMenu_->addAction(caption);
        item->setObjectName(QString::fromLatin1(name));
        connect(item, &QAction::triggered, this, handler);
        return item;
    };
    aboutItem_ = addItem("mnapro", QStringLiteral("&A propos"), [this] { AboutBox::showInstance(language_); });
    fileMenu_->addSeparator()->setObjectName(QStringLiteral("trai"));
    frenchItem_ = addItem("mnfr", QStringLiteral("&Français"), [this] { chooseLanguage(kit::Language::French); });
    germanItem_ = addItem("mnall", QStringLiteral("&Deutsch"), [this] { chooseLanguage(kit::Language::German); });
    englishItem_ = addItem("mnengl", QStringLiteral("&English"), [this] { chooseLanguage(kit::Language::English); });
    fileMenu_->addSeparator()->setObjectName(QStringLiteral("trait2"));
    quitItem_ = addItem("mnquit", QStringLiteral("&Quitter"), [this] { close(); });
    for (QAction *item : {frenchItem_, germanItem_, englishItem_})
        item->setCheckable(true);
    frenchItem_->setChecked(true);  // the program always starts in French
}

// Every caption must fit its control in each language, so each control takes
// the largest font at which all of its captions fit.
void MainWindow::fitFonts()
{
    const QFont base = font();
    prompt_->setFont(kit::fontFittingCaptions(base, kit::inEveryLanguage(kit::Text::Prompt), prompt_->size()));
    const QSize buttonText(convertButton_->width() - 8, convertButton_->height() - kConvertIconPixels - 10);
    convertButton_->setFont(kit::fontFittingCaptions(base, kit::inEveryLanguage(kit::Text::ConvertButton), buttonText));
}

void MainWindow::chooseLanguage(kit::Language language)
{
    language_ = language;
    frenchItem_->setChecked(language == kit::Language::French);
    germanItem_->setChecked(language == kit::Language::German);
    englishItem_->setChecked(language == kit::Language::English);
    applyLanguage();
}

// Every caption in the current language; the box goes back to "0" and the
// column to 零, whatever they showed.
void MainWindow::applyLanguage()
{
    numberBox_->setText(QStringLiteral("0"));
    column_->draw(numerals::columnFor(u"0"), text(kit::Text::IdeogramTooltip));
    prompt_->setText(text(kit::Text::Prompt));
    setWindowTitle(text(kit::Text::AppTitle));
    if (clipStarted_)
        animation_->open(clip::clipPath());
    convertButton_->setToolTip(text(kit::Text::ConvertTooltip));
    convertButton_->setText(text(kit::Text::ConvertButton));
    fileMenu_->setTitle(text(kit::Text::FileMenu));
    aboutItem_->setText(text(kit::Text::AboutItem));
    quitItem_->setText(text(kit::Text::QuitItem));

    numberBox_->setAccessibleName(kit::withoutAccelerator(prompt_->text()));
    convertButton_->setAccessibleName(kit::withoutAccelerator(convertButton_->text()));
    convertButton_->setAccessibleDescription(convertButton_->toolTip());
}

void MainWindow::convert()
{
    const std::u16string typed = numberBox_->text().toStdU16String();
    switch (numerals::checkText(typed)) {
    case numerals::TextCheck::Digits:
        break;
    case numerals::TextCheck::NotDigits:
        // Only a paste or a drop gets here; drawing it would show a wrong number.
        column_->clear();
        showDigitsOnly(this);
        return;
    case numerals::TextCheck::Empty:
    case numerals::TextCheck::TooLong:
        // Nothing to draw: cell 0 keeps its last ideogram.
        column_->clear();
        return;
    }
    const std::u16string_view digits = numerals::withoutLeadingZeros(typed);
    if (digits.size() != typed.size())
        numberBox_->setText(QString::fromStdU16String(std::u16string(digits)));
    column_->draw(numerals::columnFor(digits), text(kit::Text::IdeogramTooltip));
}

// Six characters or more, however they came, are refused whole.
void MainWindow::onTextChanged()
{
    if (numberBox_->text().size() > static_cast<qsizetype>(numerals::maxDigits)) {
        kit::showMessage(this, {text(kit::Text::TooLong), text(kit::Text::AppTitle), kit::MessageIcon::Critical});
        numberBox_->setText(QStringLiteral("0"));
    }
}

}  // namespace app
