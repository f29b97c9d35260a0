#include "form1.h"

#include "animation.h"
#include "caption_fit.h"
#include "clip_path.h"
#include "frm_about.h"
#include "ideogram.h"
#include "ideogram_cell.h"
#include "input_checks.h"
#include "keystroke.h"
#include "language.h"
#include "line_edit_input.h"
#include "message_box.h"
#include "pictures.h"
#include "string_table.h"
#include "twips.h"
#include "widget_column.h"

#include <QAction>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>

namespace numoria {

namespace {

const QColor kLightYellow(255, 255, 192);
const QColor kLightCyan(192, 255, 255);
const QColor kLightGreen(192, 255, 192);

constexpr int kMaxLength = 5;
constexpr int kConvertIconPixels = 26;

// Fixed French texts, shown whatever the interface language.
const char *const kDigitsOnly = "Seul les chiffres sont permis !";
const char *const kDigitsOnlyTitle = "Montant";

QStringList inEveryLanguage(int messageNumber)
{
    QStringList texts;
    for (int language : {language::French, language::German, language::English})
        texts << LoadResString(stringIdentifier(language, messageNumber));
    return texts;
}

QString withoutAccelerator(QString caption) { return caption.remove(u'&'); }

void showDigitsOnly(QWidget *parent)
{
    showMessage(parent, {QString::fromUtf8(kDigitsOnly), QString::fromUtf8(kDigitsOnlyTitle), MessageIcon::Exclamation});
}

}  // namespace

QSize Form1::clientSize() { return twipsRect(0, 0, 2430, 4155).size(); }

Form1::Form1(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Form1"));
    // A fixed little window: no minimise or maximise button.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint);
    setWindowIcon(QIcon(ideogramPicturePath(ideogram::Zero)));

    buildControls();
    buildMenu();

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(menuBar_);
    layout->addWidget(client_);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    Form_Load();
    fitFonts();

}

void Form1::showEvent(QShowEvent *event)
{
    // Centred once, when the size with the menu bar is final.
    if (!centred_) {
        centred_ = true;
        adjustSize();
        if (const QScreen *screen = QGuiApplication::primaryScreen())
            move(screen->availableGeometry().center() - QPoint(width() / 2, height() / 2));
    }
    QWidget::showEvent(event);
}

Form1::~Form1() = default;

void Form1::buildControls()
{
    client_ = new QWidget(this);
    client_->setObjectName(QStringLiteral("client"));
    client_->setFixedSize(clientSize());
    client_->setAutoFillBackground(true);
    QPalette background = client_->palette();
    background.setColor(QPalette::Window, kLightYellow);
    client_->setPalette(background);

    Text1_ = new QLineEdit(QStringLiteral("Text1"), client_);
    Text1_->setObjectName(QStringLiteral("Text1"));
    Text1_->setGeometry(twipsRect(1080, 600, 975, 285));
    QPalette cyan = Text1_->palette();
    cyan.setColor(QPalette::Base, kLightCyan);
    Text1_->setPalette(cyan);
    new KeystrokeFilter(Text1_, [this](int &code) { Text1_KeyPress(code); });
    connect(Text1_, &QLineEdit::textChanged, this, [this] { Text1_Change(); });

    Label1_ = new QLabel(QStringLiteral("Label1"), client_);
    Label1_->setObjectName(QStringLiteral("Label1"));
    Label1_->setGeometry(twipsRect(480, 240, 1455, 255));
    Label1_->setBuddy(Text1_);

    Command1_ = new QToolButton(client_);
    Command1_->setObjectName(QStringLiteral("Command1"));
    Command1_->setText(QStringLiteral("Conversion"));
    Command1_->setGeometry(twipsRect(960, 960, 1095, 855));
    Command1_->setIcon(QIcon(ideogramPicturePath(ideogram::Zero)));
    Command1_->setIconSize(QSize(kConvertIconPixels, kConvertIconPixels));
    Command1_->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    Command1_->setFocusPolicy(Qt::StrongFocus);
    Command1_->setStyleSheet(QStringLiteral(
        "QToolButton { background-color: %1; border: 1px solid #6c8f6c; border-radius: 3px; padding: 2px; }"
        "QToolButton:hover { border-color: #3d6b3d; }"
        "QToolButton:pressed { background-color: #a8e0a8; }"
        "QToolButton:focus { border: 2px solid #2f5fb3; }")
                                 .arg(kLightGreen.name()));
    connect(Command1_, &QToolButton::clicked, this, [this] { Command1_Click(); });

    auto *first = new IdeogramCell(0, client_);
    first->setTwipsGeometry(240, 600, 375, 375);
    column_ = std::make_unique<WidgetColumn>(first, [this](IdeogramCell *cell) {
        connect(cell, &IdeogramCell::mouseMoved, this, [this](int index) { Image1_MouseMove(index); });
    });

    Animation1_ = new Animation(client_);
    Animation1_->setObjectName(QStringLiteral("Animation1"));
    Animation1_->setGeometry(twipsRect(1080, 2760, 615, 615));

    input_ = std::make_unique<LineEditInput>(Text1_);
    converter_ = std::make_unique<Converter>(*column_, *input_);

    setTabOrder(Text1_, Command1_);
    Text1_->setFocus();
}

void Form1::buildMenu()
{
    menuBar_ = new QMenuBar(this);
    menuBar_->setObjectName(QStringLiteral("menuBar"));
    mnfich_ = menuBar_->addMenu(QStringLiteral("&fichier"));
    mnfich_->setObjectName(QStringLiteral("mnfich"));

    auto addItem = [this](const char *name, const QString &caption, void (Form1::*handler)()) {
        QAction *item = mnfich_->addAction(caption);
        item->setObjectName(QString::fromLatin1(name));
        connect(item, &QAction::triggered, this, handler);
        return item;
    };
    mnapro_ = addItem("mnapro", QStringLiteral("&A propos"), &Form1::mnapro_Click);
    mnfich_->addSeparator()->setObjectName(QStringLiteral("trai"));
    mnfr_ = addItem("mnfr", QStringLiteral("&Français"), &Form1::mnfr_Click);
    mnall_ = addItem("mnall", QStringLiteral("&Deutsch"), &Form1::mnall_Click);
    mnengl_ = addItem("mnengl", QStringLiteral("&English"), &Form1::mnengl_Click);
    mnfich_->addSeparator()->setObjectName(QStringLiteral("trait2"));
    mnquit_ = addItem("mnquit", QStringLiteral("&Quitter"), &Form1::mnquit_Click);
    for (QAction *item : {mnfr_, mnall_, mnengl_})
        item->setCheckable(true);
    mnfr_->setChecked(true);  // the program always starts in French
}

// Every caption must fit its control in each language, so each control takes
// the largest font at which all of its captions fit.
void Form1::fitFonts()
{
    const QFont base = font();
    Label1_->setFont(fontFittingCaptions(base, inEveryLanguage(msg::Prompt), Label1_->size()));
    const QSize buttonText(Command1_->width() - 8, Command1_->height() - kConvertIconPixels - 10);
    Command1_->setFont(fontFittingCaptions(base, inEveryLanguage(msg::ConvertButton), buttonText));
}

void Form1::Form_Load()
{
    if (mnfr_->isChecked()) {
        langue = language::French;
        mnall_->setChecked(false);
        mnengl_->setChecked(false);
    } else if (mnall_->isChecked()) {
        langue = language::German;
        mnfr_->setChecked(false);
        mnengl_->setChecked(false);
    } else if (mnengl_->isChecked()) {
        langue = language::English;
        mnall_->setChecked(false);
        mnfr_->setChecked(false);
    }
    mise_en_form();
}

void Form1::mise_en_form()
{
    Text1_->setText(QStringLiteral("0"));
    column_->clear();
    column_->writeFirst(ideogram::forDigit(Text1_->text().toInt()), "0");
    Label1_->setText(message(msg::Prompt));
    setWindowTitle(message(msg::AppTitle));
    Animation1_->open(clipPath());
    Command1_->setToolTip(message(msg::ConvertTooltip));
    Command1_->setText(message(msg::ConvertButton));
    mnfich_->setTitle(message(msg::FileMenu));
    mnapro_->setText(message(msg::AboutItem));
    mnquit_->setText(message(msg::QuitItem));

    Text1_->setAccessibleName(withoutAccelerator(Label1_->text()));
    Command1_->setAccessibleName(withoutAccelerator(Command1_->text()));
    Command1_->setAccessibleDescription(Command1_->toolTip());
}

void Form1::chooseLanguage(QAction *item, std::int16_t code)
{
    item->setChecked(true);
    langue = code;
    for (QAction *other : {mnfr_, mnall_, mnengl_})
        if (other != item)
            other->setChecked(false);
    mise_en_form();
}

void Form1::mnfr_Click() { chooseLanguage(mnfr_, language::French); }
void Form1::mnall_Click() { chooseLanguage(mnall_, language::German); }
void Form1::mnengl_Click() { chooseLanguage(mnengl_, language::English); }

void Form1::mnapro_Click() { frmAbout::showInstance(); }

void Form1::mnquit_Click() { close(); }

Outcome Form1::Command1_Click()
{
    const Outcome outcome = converter_->Command1_Click();
    if (outcome == Outcome::NotDigits)
        showDigitsOnly(this);
    return outcome;
}

void Form1::Text1_KeyPress(int &KeyAscii)
{
    if (!verif_Key(KeyAscii)) {
        showDigitsOnly(this);
        KeyAscii = 0;
    }
}

void Form1::Text1_Change()
{
    if (Text1_->text().size() > kMaxLength) {
        showMessage(this, {message(msg::TooLong), message(msg::AppTitle), MessageIcon::Critical});
        Text1_->setText(QStringLiteral("0"));
    }
}

void Form1::Image1_MouseMove(int Index)
{
    IdeogramCell *cell = column_->cell(Index);
    if (!cell)
        return;
    cell->setToolTip(message(msg::IdeogramTooltip) + cell->tag() + QStringLiteral("  "));
}

}  // namespace numoria
