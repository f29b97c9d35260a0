#pragma once

#include "app/column_widget.h"
#include "app/ideogram_cell.h"
#include "app/main_window.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QToolButton>
#include <QtTest>

#include <algorithm>

// A freshly started main window, shown offscreen, its controls found by name.
struct WindowFixture {
    app::MainWindow window;
    QLineEdit *box = window.findChild<QLineEdit *>(QStringLiteral("Text1"));
    QToolButton *button = window.findChild<QToolButton *>(QStringLiteral("Command1"));
    QLabel *prompt = window.findChild<QLabel *>(QStringLiteral("Label1"));

    WindowFixture()
    {
        window.show();
        box->setFocus();
    }

    QAction *item(const char *name) const { return window.findChild<QAction *>(QString::fromLatin1(name)); }
    // The column's cells from top to bottom.
    QList<app::IdeogramCell *> cellList() const
    {
        auto cells = window.findChildren<app::IdeogramCell *>(QStringLiteral("Image1"));
        std::sort(cells.begin(), cells.end(), [](QWidget *a, QWidget *b) { return a->y() < b->y(); });
        return cells;
    }
    app::IdeogramCell *cell(int index) const { return cellList().value(index); }
    int cells() const { return int(cellList().size()); }

    // Types a number and presses the convert button with the mouse.
    void convert(const QString &number)
    {
        box->setText(number);
        QTest::mouseClick(button, Qt::LeftButton);
    }

    // The column as its accessible names and tags say: "二:2 十:10".
    QString column() const
    {
        QStringList out;
        for (int k = 0; k < cells(); ++k)
            out << cell(k)->accessibleName() + u':' + cell(k)->accessibleDescription();
        return out.join(u' ');
    }
};
