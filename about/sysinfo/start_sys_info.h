#pragma once

class QWidget;

namespace numoria {

// The About box's system-information button: looks the tool up in this
// machine's registry (or its stand-in file) and starts it, or shows the
// "not available" message over parent.
void StartSysInfo(QWidget *parent);

}  // namespace numoria
