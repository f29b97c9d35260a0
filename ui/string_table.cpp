#include "string_table.h"

#include "language.h"

#include <QFile>
#include <QHash>
#include <QTextStream>

namespace numoria {

namespace {

// The table is part of the program, so it is read from the resources once.
const QHash<int, QString> &table()
{
    static const QHash<int, QString> strings = [] {
        QHash<int, QString> result;
        QFile file(QStringLiteral(":/strings.tsv"));
        if (!file.open(QIODevice::ReadOnly)) {
            qWarning("numoria: the string table is missing from the resources");
            return result;
        }
        QTextStream in(&file);
        in.setEncoding(QStringConverter::Utf8);
        while (!in.atEnd()) {
            const QString line = in.readLine();
            if (line.startsWith(u'#'))
                continue;
            const qsizetype tab = line.indexOf(u'\t');
            bool ok = false;
            const int id = line.left(tab).toInt(&ok);
            if (tab > 0 && ok)
                result.insert(id, line.mid(tab + 1));
        }
        return result;
    }();
    return strings;
}

}  // namespace

QString LoadResString(int identifier)
{
    const auto found = table().constFind(identifier);
    if (found == table().constEnd()) {
        qWarning("numoria: no string %d in the table", identifier);
        return {};
    }
    return *found;
}

int stringIdentifier(int language, int messageNumber)
{
    return QString::asprintf("%d%02d", language, messageNumber).toInt();
}

QString message(int messageNumber) { return LoadResString(stringIdentifier(langue, messageNumber)); }

}  // namespace numoria
