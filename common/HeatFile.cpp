#include "common/HeatFile.h"

#include "common/PlayerFiles.h"
#include "common/RecordFile.h"

namespace kd {

void LoadHeat(GameState& g) {
    const QList<QByteArray> recs = RecordFile::ReadRange(HeatPath(g), 1, 2);
    RecordReader r1(recs.at(0));
    g.derby.SetHeatMemo(r1.Text());
    g.derby.SetHeat(r1.Int16());
    g.derby.SetCoQualifier(RecordReader(recs.at(1)).Int16());
}

bool SaveHeatRecord(const GameState& g) {
    const qint16 heat = qint16(g.derby.Heat());
    RecordWriter w;
    w.Text(g.derby.HeatMemo()).Int16(heat);
    // A memo that no longer fits (only a damaged file could hold one) is dropped, not spilled.
    if (!w.ok()) {
        w = RecordWriter();
        w.Text(QString()).Int16(heat);
    }
    return RecordFile::Write(HeatPath(g), 1, w.Record());
}

bool SaveCoQualifierRecord(const GameState& g) {
    RecordWriter w;
    w.Int16(qint16(g.derby.CoQualifier()));
    return RecordFile::Write(HeatPath(g), 2, w.Record());
}

bool KeepHeatSettlement(const GameState& g, const HeatSettlement& s) {
    bool saved = true;
    if (s.advances) saved = SaveHeatRecord(g) && saved;
    if (s.coQualifier != 0) saved = SaveCoQualifierRecord(g) && saved;
    return saved;
}

}  // namespace kd
