// What the program's probe does between its start-up and memory readings:
// the clip shown, then 100 conversions through the convert button's handler,
// each painted, so that the peak resident set covers a window in use and not
// just opened.
#include "first_paint_hook.h"

#include "app/main_window.h"
#include "clip/animation.h"

#include <QDeadlineTimer>
#include <QEventLoop>

#include <QCoreApplication>
#include <QLineEdit>

#include <cstdio>

namespace numoria::bench {

void workAfterFirstPaint(QWidget *window)
{
    auto *form = qobject_cast<app::MainWindow *>(window);
    auto *input = form ? form->findChild<QLineEdit *>(QStringLiteral("Text1")) : nullptr;
    if (!input) {
        std::fputs("probe: the first window painted is not the main window\n", stderr);
        return;
    }
    // The clip is decoded away from the window: its memory counts once it shows.
    auto *animation = form->findChild<clip::Animation *>(QStringLiteral("Animation1"));
    if (animation && animation->frameCount() == 0) {
        bool answered = false;
        QObject::connect(animation, &clip::Animation::answered, animation, [&answered] { answered = true; });
        const QDeadlineTimer deadline(10000);
        while (!answered && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
        if (!answered)
            std::fputs("probe: the clip gave no answer in 10 s\n", stderr);
    }
    const int firstFrame = animation ? animation->currentFrame() : 0;
    constexpr int kConversions = 100;
    for (int i = 0; i < kConversions; ++i) {
        // Numbers spread over the whole range, every digit count, 99999 last.
        const int number = i + 1 == kConversions ? 99999 : (i * 7919 + 7) % 100000;
        input->setText(QString::number(number));
        form->convert();
        form->repaint();
        QCoreApplication::processEvents();
    }
    // Whether the clip plays: its frame count, and whether it moves on (a
    // held picture of the committed clip lasts 0.4 s).
    if (animation) {
        const QDeadlineTimer deadline(3000);
        while (animation->isPlaying() && animation->currentFrame() == firstFrame && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        std::printf("clip_frames %d %d\n", animation->frameCount(), animation->currentFrame() != firstFrame);
    }
}

}  // namespace numoria::bench
