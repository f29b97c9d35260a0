#include "frm_about.h"

#include "animation.h"
#include "caption_fit.h"
#include "clip_path.h"
#include "ideogram.h"
#include "pictures.h"
#include "start_sys_info.h"
#include "string_table.h"
#include "twips.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>

namespace numoria {

namespace {

const QColor kLightYellow(255, 255, 192);
const QString kApplicationTitle = QStringLiteral("Numoria");
constexpr int kMajor = NUMORIA_VERSION_MAJOR;
constexpr int kMinor = NUMORIA_VERSION_MINOR;
constexpr int kRevision = NUMORIA_VERSION_PATCH;
const QString kLineBreak = QStringLiteral("\r\n");

QPointer<frmAbout> &theInstance()
{
    static QPointer<frmAbout> box;
    return box;
}

QLabel *addLabel(QWidget *parent, const char *name, const QRect &place)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(place);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

// One rule of the etched separator, drawn as a one-pixel line.
void addRule(QWidget *parent, float topTwips, const QColor &colour)
{
    auto *rule = new QFrame(parent);
    rule->setObjectName(QStringLiteral("Line1"));
    rule->setGeometry(twipsRect(120, topTwips, 5895, 15));
    rule->setAutoFillBackground(true);
    QPalette palette = rule->palette();
    palette.setColor(QPalette::Window, colour);
    rule->setPalette(palette);
}

// Every line of a text, in every language, for the font that fits them all.
QStringList linesInEveryLanguage(std::initializer_list<int> messages)
{
    QStringList lines;
    for (int language : {1, 2, 3})
        for (int number : messages)
            lines << LoadResString(stringIdentifier(language, number));
    return lines;
}

}  // namespace

QSize frmAbout::clientSize() { return twipsRect(0, 0, 6135, 3555).size(); }

frmAbout *frmAbout::instance() { return theInstance(); }

frmAbout *frmAbout::showInstance()
{
    QPointer<frmAbout> &box = theInstance();
    if (!box)
        box = new frmAbout;
    box->show();
    box->raise();
    box->activateWindow();
    return box;
}

frmAbout::frmAbout() : QDialog(nullptr)
{
    setObjectName(QStringLiteral("frmAbout"));
    // A fixed dialog frame that stays out of the task bar; it has no owner,
    // yet keeps the program running while it is open.
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setAttribute(Qt::WA_QuitOnClose, true);
    setAttribute(Qt::WA_DeleteOnClose, true);
    setModal(false);
    setFixedSize(clientSize());
    setAutoFillBackground(true);
    QPalette background = palette();
    background.setColor(QPalette::Window, kLightYellow);
    setPalette(background);

    buildControls();
    Form_Load();
    fitFonts();
}

void frmAbout::buildControls()
{
    Animation1_ = new Animation(this);
    Animation1_->setObjectName(QStringLiteral("Animation1"));
    Animation1_->setGeometry(twipsRect(240, 240, 615, 615));

    lblTitle_ = addLabel(this, "lblTitle", twipsRect(1050, 240, 2550, 435));
    lblVersion_ = addLabel(this, "lblVersion", twipsRect(1050, 780, 3885, 225));
    lblDescription_ = addLabel(this, "lblDescription", twipsRect(1080, 1125, 3885, 690));
    Image1_ = addLabel(this, "Image1", twipsRect(120, 1560, 735, 735));
    Image1_->setScaledContents(true);
    Label1_ = addLabel(this, "Label1", twipsRect(960, 1920, 3255, 375));
    lblDisclaimer_ = addLabel(this, "lblDisclaimer", twipsRect(135, 2640, 4470, 825));
    addRule(this, 2445, QColor(128, 128, 128));
    addRule(this, 2460, Qt::white);

    cmdOK_ = new QPushButton(QStringLiteral("OK"), this);
    cmdOK_->setObjectName(QStringLiteral("cmdOK"));
    cmdOK_->setGeometry(twipsRect(4680, 2625, 1260, 345));
    cmdOK_->setDefault(true);
    connect(cmdOK_, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);

    cmdSysInfo_ = new QPushButton(this);
    cmdSysInfo_->setObjectName(QStringLiteral("cmdSysInfo"));
    cmdSysInfo_->setGeometry(twipsRect(4680, 3075, 1245, 345));
    connect(cmdSysInfo_, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);

    setTabOrder(cmdOK_, cmdSysInfo_);
    cmdOK_->setFocus();
}

void frmAbout::Form_Load()
{
    setWindowTitle(message(msg::AboutTitle) + QStringLiteral(" ") + kApplicationTitle);
    lblVersion_->setText(message(msg::VersionPrefix) + QStringLiteral(" %1.%2.%3").arg(kMajor).arg(kMinor).arg(kRevision));
    lblTitle_->setText(kApplicationTitle);
    Animation1_->open(clipPath());
    lblDescription_->setText(message(msg::DescriptionLine1) + kLineBreak + message(msg::DescriptionLine2));
    lblDisclaimer_->setText(message(msg::DisclaimerLine1) + kLineBreak + message(msg::DisclaimerLine2) + kLineBreak
                            + message(msg::DisclaimerLine3));
    cmdSysInfo_->setText(message(msg::SysInfoButton));
    setWindowIcon(QIcon(ideogramPicturePath(ideogram::Zero)));
    Image1_->setPixmap(QPixmap(logoPath()));
    Label1_->setText(message(msg::Credit));
}

// The labels take the largest font at which their longest line, in any
// language, fits on the line it has.
void frmAbout::fitFonts()
{
    QFont title = font();
    title.setBold(true);
    lblTitle_->setFont(fontFittingCaptions(title, {kApplicationTitle}, lblTitle_->size()));
    const QFont base = font();
    const auto fit = [&base](QLabel *label, std::initializer_list<int> messages) {
        const int lines = int(messages.size());
        const QSize line(label->width(), label->height() / lines);
        label->setFont(fontFittingCaptions(base, linesInEveryLanguage(messages), line));
    };
    fit(lblVersion_, {msg::VersionPrefix});
    fit(lblDescription_, {msg::DescriptionLine1, msg::DescriptionLine2});
    fit(lblDisclaimer_, {msg::DisclaimerLine1, msg::DisclaimerLine2, msg::DisclaimerLine3});
    fit(Label1_, {msg::Credit});
    const QSize buttonText(cmdSysInfo_->width() - 8, cmdSysInfo_->height() - 4);
    cmdSysInfo_->setFont(fontFittingCaptions(base, linesInEveryLanguage({msg::SysInfoButton}), buttonText));
}

void frmAbout::showEvent(QShowEvent *event)
{
    if (!centred_) {
        centred_ = true;
        if (const QScreen *screen = QGuiApplication::primaryScreen())
            move(screen->availableGeometry().center() - QPoint(width() / 2, height() / 2));
    }
    QDialog::showEvent(event);
}

// Closes and destroys the box (it is deleted on close).
void frmAbout::cmdOK_Click() { done(QDialog::Accepted); }

void frmAbout::cmdSysInfo_Click() { StartSysInfo(this); }

// Enter and Escape both press OK.
void frmAbout::accept() { cmdOK_Click(); }
void frmAbout::reject() { cmdOK_Click(); }

}  // namespace numoria
