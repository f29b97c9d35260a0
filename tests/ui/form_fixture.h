#pragma once

#include "form1.h"
#include "ideogram_cell.h"
#include "widget_column.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QToolButton>
#include <QtTest>

// A freshly started main window, shown offscreen, with its controls found by
// the names they were designed with.
struct FormFixture {
    numoria::Form1 form;
    QLineEdit *Text1 = nullptr;
    QToolButton *Command1 = nullptr;
    QLabel *Label1 = nullptr;

    FormFixture()
    {
        form.show();
        Text1 = form.findChild<QLineEdit *>(QStringLiteral("Text1"));
        Command1 = form.findChild<QToolButton *>(QStringLiteral("Command1"));
        Label1 = form.findChild<QLabel *>(QStringLiteral("Label1"));
    }

    QAction *action(const char *name) const { return form.findChild<QAction *>(QString::fromLatin1(name)); }
    QMenu *menu() const { return form.findChild<QMenu *>(QStringLiteral("mnfich")); }
    numoria::IdeogramCell *cell(int index) const { return form.column().cell(index); }
    int cells() const { return form.column().count(); }

    // Types a number and presses the convert button with the mouse.
    void convert(const QString &number)
    {
        Text1->setText(number);
        QTest::mouseClick(Command1, Qt::LeftButton);
    }

    QString ideograms() const
    {
        QString out;
        for (int k = 0; k < cells(); ++k)
            out += cell(k)->accessibleName();
        return out;
    }
};
