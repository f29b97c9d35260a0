// From a click on the convert button to the ideogram column painted, on the
// real main window (offscreen): the button's press and release, the
// conversion, and the paint pass that follows, until every cell on show has
// been painted. Prints, for each number, one line
//   click_us <number> median <µs> max <µs> clicks <n>
#include "app/main_window.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QSet>
#include <QTest>
#include <QToolButton>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kClicks = 1000;
constexpr int kWarmUpClicks = 50;

// Remembers which widgets have been painted since the last reset.
class PaintLog : public QObject
{
public:
    using QObject::QObject;
    void reset() { painted_.clear(); }
    bool painted(const QObject *widget) const { return painted_.contains(widget); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            painted_.insert(watched);
        return QObject::eventFilter(watched, event);
    }

private:
    QSet<const QObject *> painted_;
};

bool columnPainted(const app::MainWindow &form, const PaintLog &log)
{
    for (const QWidget *cell : form.findChildren<QWidget *>(QStringLiteral("Image1")))
        if (cell->isVisible() && !log.painted(cell))
            return false;
    return true;
}

// One click, timed from the press to the paint of the last cell on show.
double clickMicroseconds(app::MainWindow &form, QToolButton *button, PaintLog &log)
{
    log.reset();
    QElapsedTimer timer;
    timer.start();
    QTest::mouseClick(button, Qt::LeftButton);
    // One pass normally does it; the cap keeps a lost paint from hanging the run.
    for (int pass = 0; pass < 100 && !columnPainted(form, log); ++pass)
        QCoreApplication::processEvents();
    const double microseconds = double(timer.nsecsElapsed()) / 1e3;
    return columnPainted(form, log) ? microseconds : -1;
}

}  // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    auto *form = new app::MainWindow;
    form->setAttribute(Qt::WA_DeleteOnClose);
    form->show();
    if (!QTest::qWaitForWindowExposed(form)) {
        std::fputs("click_to_paint: the window was never exposed\n", stderr);
        return 1;
    }
    auto *input = form->findChild<QLineEdit *>(QStringLiteral("Text1"));
    auto *button = form->findChild<QToolButton *>(QStringLiteral("Command1"));
    if (!input || !button) {
        std::fputs("click_to_paint: Text1 or Command1 not found\n", stderr);
        return 1;
    }
    PaintLog log;
    application.installEventFilter(&log);

    // The two numbers take turns, so that a neighbour's burst on a shared
    // machine falls on both alike.
    const char *const numbers[] = {"99999", "7"};
    std::vector<double> times[2];
    for (int click = 0; click < kWarmUpClicks + kClicks; ++click) {
        for (int which = 0; which < 2; ++which) {
            input->setText(QString::fromLatin1(numbers[which]));
            QCoreApplication::processEvents();  // the text's own repaint is not the click's
            const double microseconds = clickMicroseconds(*form, button, log);
            if (microseconds < 0) {
                std::fprintf(stderr, "click_to_paint: the column of %s was not painted\n", numbers[which]);
                return 1;
            }
            if (click >= kWarmUpClicks)
                times[which].push_back(microseconds);
        }
    }
    for (int which = 0; which < 2; ++which) {
        std::vector<double> &sorted = times[which];
        std::sort(sorted.begin(), sorted.end());
        const double median = (sorted[sorted.size() / 2 - 1] + sorted[sorted.size() / 2]) / 2;
        std::printf("click_us %s median %.1f max %.1f clicks %zu\n", numbers[which], median, sorted.back(),
                    sorted.size());
    }
    return 0;
}
