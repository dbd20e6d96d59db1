#include "questions/StringTable.h"

#include <QFile>
#include <QHash>

namespace kd {

StringTable StringTable::FromText(const QString& text) {
    StringTable t;
    QStringView all(text);
    if (all.startsWith(QChar(0xFEFF))) all = all.mid(1);  // editors may save the file with a BOM
    const auto lines = all.split(u'\n');
    for (QStringView line : lines) {
        if (line.endsWith(u'\r')) line.chop(1);
        if (line.isEmpty() || line.startsWith(u'#')) continue;
        const qsizetype tab = line.indexOf(u'\t');
        if (tab <= 0) continue;
        bool ok = false;
        const int id = line.left(tab).toInt(&ok);
        if (!ok || id < 0 || id > 32767) continue;
        if (id >= t.m_byId.size()) {
            t.m_byId.resize(id + 1);
            t.m_present.resize(id + 1, false);
        }
        t.m_byId[id] = line.mid(tab + 1).toString();
        t.m_present[id] = true;
    }
    return t;
}

const StringTable& StringTable::Instance() {
    static const StringTable table = [] {
        QFile f(QStringLiteral(":/questions/strings.tsv"));
        if (!f.open(QIODevice::ReadOnly)) return StringTable();
        return FromText(QString::fromUtf8(f.readAll()));
    }();
    return table;
}

QString StringTable::LoadString(int id) const {
    return (id >= 0 && id < m_byId.size()) ? m_byId.at(id) : QString();
}

bool StringTable::Has(int id) const {
    return id >= 0 && id < m_present.size() && m_present.at(id);
}

QList<int> StringTable::Ids() const {
    QList<int> ids;
    for (int i = 0; i < m_present.size(); ++i)
        if (m_present.at(i)) ids << i;
    return ids;
}

QString IdiomMeaning(const QString& idiom) {
    static const QHash<QString, QString> meanings = [] {
        QHash<QString, QString> m;
        const StringTable& t = StringTable::Instance();
        for (int id : t.Ids())
            if (t.Has(id + kMeaningIdOffset)) m.insert(t.LoadString(id), t.LoadString(id + kMeaningIdOffset));
        return m;
    }();
    return meanings.value(idiom);
}

QString AppTitle() {
    const QString t = StringTable::Instance().LoadString(1);
    return t.isEmpty() ? QStringLiteral("Key Derby") : t;
}

}  // namespace kd
