#pragma once
#include <QList>
#include <QString>
#include <QStringList>

namespace kd::test {

// One reading unit and the romaji forms the judge must offer for it, written out by hand.
struct KanaUnit {
    QString kana;
    QString slot1;
    QString slot2;  // "" when the unit has one form
    bool pair;      // a two-kana unit such as くぁ (never doubled by っ)
};

inline const QList<KanaUnit>& AllKanaUnits() {
    struct Row {
        const char16_t* kana;
        const char* forms;  // slot-1 forms, space separated, in the order of the kana
    };
    // Units with one form each.
    static const Row single[] = {
        {u"あいうえお", "a i u e o"},
        {u"かきくけこ", "ka ki ku ke ko"},
        {u"がぎぐげご", "ga gi gu ge go"},
        {u"さすせそ", "sa su se so"},
        {u"ざずぜぞ", "za zu ze zo"},
        {u"たてと", "ta te to"},
        {u"だぢづでど", "da di du de do"},
        {u"なにぬねの", "na ni nu ne no"},
        {u"はひへほ", "ha hi he ho"},
        {u"ばびぶべぼ", "ba bi bu be bo"},
        {u"ぱぴぷぺぽ", "pa pi pu pe po"},
        {u"まみむめも", "ma mi mu me mo"},
        {u"やゆよ", "ya yu yo"},
        {u"らりるれろ", "ra ri ru re ro"},
        {u"わを", "wa wo"},
        {u"ん", "nn"},
        {u"、､", ", ,"},
        {u"。｡", ". ."},
        {u"ーｰ", "- -"},
    };
    static const struct {
        const char16_t* kana;
        const char* slot1;
        const char* slot2;
    } twoForms[] = {
        {u"し", "si", "shi"},    {u"じ", "zi", "ji"},     {u"ち", "ti", "chi"},    {u"つ", "tu", "tsu"},
        {u"ふ", "hu", "fu"},     {u"しゃ", "sya", "sha"}, {u"しゅ", "syu", "shu"}, {u"しょ", "syo", "sho"},
        {u"ちゃ", "tya", "cha"}, {u"ちゅ", "tyu", "chu"}, {u"ちょ", "tyo", "cho"}, {u"じゃ", "zya", "ja"},
        {u"じゅ", "zyu", "ju"},  {u"じょ", "zyo", "jo"},
    };
    static const Row contracted[] = {
        {u"きゃきゅきょ", "kya kyu kyo"}, {u"にゃにゅにょ", "nya nyu nyo"}, {u"ひゃひゅひょ", "hya hyu hyo"},
        {u"みゃみゅみょ", "mya myu myo"}, {u"りゃりゅりょ", "rya ryu ryo"}, {u"ぎゃぎゅぎょ", "gya gyu gyo"},
        {u"ぢゃぢゅぢょ", "dya dyu dyo"}, {u"びゃびゅびょ", "bya byu byo"}, {u"ぴゃぴゅぴょ", "pya pyu pyo"},
    };
    static const Row pairs[] = {
        {u"くぁくぃくぇくぉ", "qa qi qe qo"},
        {u"ヴぁヴぃヴぇヴぉ", "va vi ve vo"},
        {u"うぃうぇ", "wi we"},
        {u"でぃ", "dhi"},
    };

    static const QList<KanaUnit> units = [] {
        QList<KanaUnit> all;
        auto addRows = [&](const auto& rows, int width, bool pair) {
            for (const Row& row : rows) {
                const QString kana = QString::fromUtf16(row.kana);
                const QStringList forms = QString::fromLatin1(row.forms).split(u' ');
                for (int i = 0; i < forms.size(); ++i)
                    all << KanaUnit{kana.mid(i * width, width), forms[i], QString(), pair};
            }
        };
        addRows(single, 1, false);
        for (const auto& t : twoForms)
            all << KanaUnit{QString::fromUtf16(t.kana), QLatin1String(t.slot1), QLatin1String(t.slot2),
                            false};
        addRows(contracted, 2, false);
        addRows(pairs, 2, true);
        return all;
    }();
    return units;
}

}  // namespace kd::test
