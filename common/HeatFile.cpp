#include "common/HeatFile.h"

#include "common/PlayerFiles.h"
#include "common/RecordFile.h"

namespace kd {

void LoadHeat(GameState& g) {
    const QList<QByteArray> recs = RecordFile::ReadRange(HeatPath(g), 1, 2);
    RecordReader r1(recs.at(0));
    g.Heat.HeatMemo = r1.Text();
    g.Heat.HeatNo = r1.Int16();
    g.Chara[1].CharaNo = RecordReader(recs.at(1)).Int16();
    if (g.Heat.HeatNo == 0) g.Heat.HeatNo = 1;
}

bool SaveHeatRecord(const GameState& g) {
    RecordWriter w;
    w.Text(g.Heat.HeatMemo).Int16(g.Heat.HeatNo);
    // A memo that no longer fits (only a damaged file could hold one) is dropped, not spilled.
    if (!w.ok()) {
        w = RecordWriter();
        w.Text(QString()).Int16(g.Heat.HeatNo);
    }
    return RecordFile::Write(HeatPath(g), 1, w.Record());
}

bool SaveCoQualifierRecord(const GameState& g) {
    RecordWriter w;
    w.Int16(g.Chara[1].CharaNo);
    return RecordFile::Write(HeatPath(g), 2, w.Record());
}

bool KeepHeatSettlement(GameState& g, const HeatSettlement& s) {
    g.FinishOrder = s.finishOrder;
    g.Chara[0].RankText = QString::number(s.place) + QStringLiteral("位");
    bool saved = true;
    if (s.advances) {
        g.Heat.HeatNo = qint16(g.Heat.HeatNo + 1);
        saved = SaveHeatRecord(g) && saved;
    }
    if (s.coQualifier != 0) {
        g.Chara[1].CharaNo = s.coQualifier;
        saved = SaveCoQualifierRecord(g) && saved;
    }
    return saved;
}

}  // namespace kd
