#include "kit/strings.h"

#include <QFile>
#include <QHash>
#include <QStringList>
#include <QTextStream>

namespace kit {

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
        QTextStream in(&file);  // UTF-8, as Qt reads text by default
        while (!in.atEnd()) {
            const QString line = in.readLine();
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

int stringIdentifier(Language language, Text text) { return 100 * static_cast<int>(language) + static_cast<int>(text); }

QString text(Language language, Text which)
{
    const int identifier = stringIdentifier(language, which);
    const auto found = table().constFind(identifier);
    if (found == table().constEnd()) {
        qWarning("numoria: no string %d in the table", identifier);
        return {};
    }
    return *found;
}

QStringList inEveryLanguage(Text which)
{
    QStringList texts;
    for (Language language : allLanguages)
        texts << text(language, which);
    return texts;
}

QString applicationTitle() { return QStringLiteral("Numoria"); }

QString digitsOnlyText() { return QStringLiteral("Seul les chiffres sont permis !"); }
QString digitsOnlyTitle() { return QStringLiteral("Montant"); }
QString systemInfoUnavailableText()
{
    return QStringLiteral("Les informations système ne sont pas disponibles actuellement");
}

}  // namespace kit
