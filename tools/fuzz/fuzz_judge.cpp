// The judge against random readings and random key streams: no crash, the counters only grow,
// and what is left to type is always the tail of the reading.
#include "engine/PlayLabels.h"
#include "engine/TypingJudge.h"
#include "tools/fuzz/FuzzSupport.h"

namespace {
const char16_t kKana[] =
    u"あいうえおかきくけこがぎぐげごさしすせそざじずぜぞたちつてとだぢづでどなにぬねのはひふへほ"
    u"ばびぶべぼぱぴぷぺぽまみむめもやゆよらりるれろわをんっゃゅょぁぃぅぇぉヴー、。ｰ､｡漢A ";
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const size_t readingLen = qMin<size_t>(data[0] % 24, size - 1);
    QString reading;
    for (size_t i = 0; i < readingLen; ++i)
        reading += QChar(kKana[data[1 + i] % (sizeof(kKana) / sizeof(kKana[0]) - 1)]);
    kd::TypingJudge judge;
    kd::StringPlayLabels labels;
    labels.display = reading;
    judge.InitFlag();
    const bool english = (data[0] & 0x80) != 0;
    int correct = 0, miss = 0;
    for (size_t i = 1 + readingLen; i < size; ++i) {
        const int key = data[i] & 0x7F;
        if (english)
            judge.JudgeEnglishKey(labels, key);
        else
            judge.JudgeKanaKey(labels, key);
        KD_FUZZ_REQUIRE(judge.GetCorrectCount() >= correct && judge.GetMissCount() >= miss);
        KD_FUZZ_REQUIRE(judge.GetCorrectCount() + judge.GetMissCount() > correct + miss);
        KD_FUZZ_REQUIRE(reading.endsWith(labels.display));
        correct = judge.GetCorrectCount();
        miss = judge.GetMissCount();
    }
    return 0;
}
