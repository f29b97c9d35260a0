// The bare window does nothing between its start-up and memory readings.
#include "first_paint_hook.h"

namespace numoria::bench {

void workAfterFirstPaint(QWidget *) {}

}  // namespace numoria::bench
