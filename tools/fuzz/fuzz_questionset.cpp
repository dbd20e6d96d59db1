// A player's own question file: any bytes give either a message or questions and refused lines,
// without a crash; every question taken keeps inside the panels' limits, and the questions
// written back out as a file read in again as the same questions.
#include "learning/QuestionSetImport.h"
#include "tools/fuzz/FuzzSupport.h"

namespace {

QString Quote(const QString& field) {
    QString q = field;
    q.replace(u'"', QStringLiteral("\"\""));
    return u'"' + q + u'"';
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const kd::QuestionSetImport set = kd::ParseQuestionSet(bytes);
    if (!set.error.isEmpty()) {
        KD_FUZZ_REQUIRE(set.questions.isEmpty() && set.refused.isEmpty());
        return 0;
    }
    const int lines = int(bytes.count('\n') + bytes.count('\r')) + 1;
    KD_FUZZ_REQUIRE(set.questions.size() + set.refused.size() <= lines);
    int lastLine = 0;
    for (const kd::RefusedLine& r : set.refused) {
        KD_FUZZ_REQUIRE(r.line > lastLine && r.line <= lines && !r.reason.isEmpty());
        lastLine = r.line;
    }
    const bool english = set.kind == kd::QuestionSetKind::English;
    QString file;
    for (const kd::SetQuestion& q : set.questions) {
        KD_FUZZ_REQUIRE(!q.text.isEmpty() && !q.reading.isEmpty());
        KD_FUZZ_REQUIRE(q.text.size() <= (english ? kd::kSetWordMax : kd::kSetTextMax));
        KD_FUZZ_REQUIRE(q.reading.size() <= (english ? kd::kSetWordMax : kd::kSetReadingMax));
        KD_FUZZ_REQUIRE(!english || q.text == q.reading);
        file += english ? q.text : Quote(q.text) + u'\t' + Quote(q.reading);
        file += u'\n';
    }
    if (set.questions.isEmpty()) return 0;
    const kd::QuestionSetImport again = kd::ParseQuestionSet(file.toUtf8());
    KD_FUZZ_REQUIRE(again.error.isEmpty() && again.refused.isEmpty());
    KD_FUZZ_REQUIRE(again.kind == set.kind && again.questions == set.questions);
    return 0;
}
