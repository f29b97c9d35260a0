#pragma once

#include "input_box.h"

#include <QLineEdit>

namespace numoria {

// The real input box, as the converter sees it.
class LineEditInput : public InputBox
{
public:
    explicit LineEditInput(QLineEdit *edit) : edit_(edit) {}

    std::u16string text() const override { return edit_->text().toStdU16String(); }
    void setText(const std::u16string &text) override { edit_->setText(QString::fromStdU16String(text)); }

private:
    QLineEdit *edit_;
};

}  // namespace numoria
