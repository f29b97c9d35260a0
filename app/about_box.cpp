#include "app/about_box.h"

#include "clip/animation.h"
#include "clip/clip_path.h"
#include "kit/centring.h"
#include "kit/style.h"
#include "kit/version.h"
#include "sysinfo/launcher.h"

#include <QFrame>
#include <QLabel>
#include <QPointer>
#include <QPushButton>

namespace app {

namespace {

const QString kLineBreak = QStringLiteral("\r\n");

QLabel *addLabel(QWidget *parent, const char *name, const QRect &place)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(place);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

// One rule of the etched separator, drawn as a one-pixel line.
void addRule(QWidget *parent, kit::Twips top, const QColor &colour)
{
    auto *rule = new QFrame(parent);
    rule->setObjectName(QStringLiteral("Line1"));
    rule->setGeometry(kit::twipsRect(120, top, 5895, 15));
    kit::paintBackground(rule, colour);
}

// Every line of a text, in every language, for the font that fits them all.
QStringList linesInEveryLanguage(std::initializer_list<kit::Text> texts)
{
    QStringList lines;
    for (kit::Text text : texts)
        lines << kit::inEveryLanguage(text);
    return lines;
}

}  // namespace

AboutBox *AboutBox::showInstance(kit::Language language)
{
    static QPointer<AboutBox> box;
    if (!box)
        box = new AboutBox(language);
    // Brought forward means back from minimised too.
    box->setWindowState(box->windowState() & ~Qt::WindowMinimized);
    box->show();
    box->raise();
    box->activateWindow();
    return box;
}

AboutBox::AboutBox(kit::Language language) : QDialog(nullptr)
{
    setObjectName(QStringLiteral("frmAbout"));
    // An ordinary window with a fixed dialog frame and no minimise or maximise
    // button. It has no owner, so the window manager neither keeps it above
    // the main window nor hides it from the task bar: as the last window left
    // it stays reachable, and it keeps the program running while it is open.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setAttribute(Qt::WA_QuitOnClose, true);
    setAttribute(Qt::WA_DeleteOnClose, true);
    setModal(false);
    const QSize size = kit::twipsRect(0, 0, 6135, 3555).size();
    if (kit::windowSizeCanBeFixed())
        setFixedSize(size);
    else
        setMinimumSize(size);
    kit::paintBackground(this, kit::lightYellow);
    kit::centreWhenShown(this);

    buildControls();
    fillTexts(language);
    fitFonts();
}

void AboutBox::buildControls()
{
    animation_ = new clip::Animation(this);
    animation_->setObjectName(QStringLiteral("Animation1"));
    animation_->setGeometry(kit::twipsRect(240, 240, 615, 615));

    title_ = addLabel(this, "lblTitle", kit::twipsRect(1050, 240, 2550, 435));
    version_ = addLabel(this, "lblVersion", kit::twipsRect(1050, 780, 3885, 225));
    description_ = addLabel(this, "lblDescription", kit::twipsRect(1080, 1125, 3885, 690));
    logo_ = addLabel(this, "Image1", kit::twipsRect(120, 1560, 735, 735));
    logo_->setScaledContents(true);
    credit_ = addLabel(this, "Label1", kit::twipsRect(960, 1920, 3255, 375));
    disclaimer_ = addLabel(this, "lblDisclaimer", kit::twipsRect(135, 2640, 4470, 825));
    addRule(this, 2445, QColor(128, 128, 128));
    addRule(this, 2460, Qt::white);

    okButton_ = new QPushButton(QStringLiteral("OK"), this);
    okButton_->setObjectName(QStringLiteral("cmdOK"));
    okButton_->setGeometry(kit::twipsRect(4680, 2625, 1260, 345));
    okButton_->setDefault(true);
    connect(okButton_, &QPushButton::clicked, this, &AboutBox::accept);

    sysInfoButton_ = new QPushButton(this);
    sysInfoButton_->setObjectName(QStringLiteral("cmdSysInfo"));
    sysInfoButton_->setGeometry(kit::twipsRect(4680, 3075, 1245, 345));
    connect(sysInfoButton_, &QPushButton::clicked, this, [this] { sysinfo::startSystemInformation(this); });
}

void AboutBox::fillTexts(kit::Language language)
{
    const auto text = [language](kit::Text which) { return kit::text(language, which); };
    setWindowTitle(text(kit::Text::AboutTitle) + QStringLiteral(" ") + kit::applicationTitle());
    version_->setText(
        text(kit::Text::VersionPrefix)
        + QStringLiteral(" %1.%2.%3").arg(kit::versionMajor).arg(kit::versionMinor).arg(kit::versionPatch));
    title_->setText(kit::applicationTitle());
    animation_->open(clip::clipPath());
    description_->setText(text(kit::Text::DescriptionLine1) + kLineBreak + text(kit::Text::DescriptionLine2));
    disclaimer_->setText(text(kit::Text::DisclaimerLine1) + kLineBreak + text(kit::Text::DisclaimerLine2) + kLineBreak
                         + text(kit::Text::DisclaimerLine3));
    sysInfoButton_->setText(text(kit::Text::SysInfoButton));
    setWindowIcon(kit::windowIcon());
    logo_->setPixmap(QPixmap(kit::logoPath()));
    credit_->setText(text(kit::Text::Credit));
}

// The labels take the largest font at which their longest line, in any
// language, fits on the line it has.
void AboutBox::fitFonts()
{
    QFont bold = font();
    bold.setBold(true);
    title_->setFont(kit::fontFittingCaptions(bold, {kit::applicationTitle()}, title_->size()));
    const QFont base = font();
    const auto fit = [&base](QLabel *label, std::initializer_list<kit::Text> texts) {
        const QSize line(label->width(), label->height() / int(texts.size()));
        label->setFont(kit::fontFittingCaptions(base, linesInEveryLanguage(texts), line));
    };
    fit(version_, {kit::Text::VersionPrefix});
    fit(description_, {kit::Text::DescriptionLine1, kit::Text::DescriptionLine2});
    fit(disclaimer_, {kit::Text::DisclaimerLine1, kit::Text::DisclaimerLine2, kit::Text::DisclaimerLine3});
    fit(credit_, {kit::Text::Credit});
    const QSize buttonText(sysInfoButton_->width() - 8, sysInfoButton_->height() - 4);
    sysInfoButton_->setFont(kit::fontFittingCaptions(base, kit::inEveryLanguage(kit::Text::SysInfoButton), buttonText));
}

}  // namespace app
