// The players' record files: converting their texts to and from code page 932, one character
// or byte at a time, beside the C library's converter the program used before (iconv); and a
// whole ranking file read and saved back, kept in memory so the disk does not count.
#include <benchmark/benchmark.h>
#include <iconv.h>

#include <QHash>

#include "common/Cp932.h"
#include "common/RecordFile.h"
#include "common/TimeTrialRecords.h"

namespace {

// Names, rates and genres as a ranking holds them.
const QString kText = QStringLiteral("花子 97.5% 慣用句 EEE たろう 88.0% 英単語 FFF ｶﾀｶﾅ ①ー～");

void BM_Encode(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(kd::EncodeCp932(kText));
    state.counters["ns_per_unit"] = benchmark::Counter(
        double(kText.size()), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_Decode(benchmark::State& state) {
    const QByteArray bytes = *kd::EncodeCp932(kText);
    for (auto _ : state) benchmark::DoNotOptimize(kd::DecodeCp932(bytes));
    state.counters["ns_per_unit"] = benchmark::Counter(
        double(kText.size()), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// Damaged bytes: the lenient reader's replacement marks.
void BM_DecodeDamaged(benchmark::State& state) {
    QByteArray bytes = *kd::EncodeCp932(kText);
    for (qsizetype i = 0; i < bytes.size(); i += 5) bytes[i] = char(0xFF);
    for (auto _ : state) benchmark::DoNotOptimize(kd::DecodeCp932(bytes));
    state.counters["ns_per_unit"] = benchmark::Counter(
        double(kText.size()), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// The same conversions through iconv, one converter kept open, as the program did.
struct Iconv {
    iconv_t cd;
    Iconv(const char* to, const char* from) : cd(iconv_open(to, from)) {}
    ~Iconv() { iconv_close(cd); }
    QByteArray Convert(const char* in, size_t n) {
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        QByteArray out(qsizetype(n * 2 + 8), Qt::Uninitialized);
        char* src = const_cast<char*>(in);
        char* dst = out.data();
        size_t left = n, room = size_t(out.size());
        iconv(cd, &src, &left, &dst, &room);
        out.truncate(dst - out.data());
        return out;
    }
};

void BM_EncodeIconv(benchmark::State& state) {
    Iconv enc("CP932", "UTF-16LE");
    for (auto _ : state)
        benchmark::DoNotOptimize(
            enc.Convert(reinterpret_cast<const char*>(kText.utf16()), size_t(kText.size()) * 2));
    state.counters["ns_per_unit"] = benchmark::Counter(
        double(kText.size()), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_DecodeIconv(benchmark::State& state) {
    Iconv dec("UTF-16LE", "CP932");
    const QByteArray bytes = *kd::EncodeCp932(kText);
    for (auto _ : state) benchmark::DoNotOptimize(dec.Convert(bytes.constData(), size_t(bytes.size())));
    state.counters["ns_per_unit"] = benchmark::Counter(
        double(kText.size()), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// What the program did with damaged bytes: iconv once for the whole text, then once per byte.
void BM_DecodeDamagedIconv(benchmark::State& state) {
    Iconv dec("UTF-16LE", "CP932");
    QByteArray bytes = *kd::EncodeCp932(kText);
    for (qsizetype i = 0; i < bytes.size(); i += 5) bytes[i] = char(0xFF);
    for (auto _ : state) {
        QString text;
        const QByteArray whole = dec.Convert(bytes.constData(), size_t(bytes.size()));
        benchmark::DoNotOptimize(whole.data());
        for (qsizetype i = 0; i < bytes.size(); ++i) {
            const quint8 b = quint8(bytes.at(i));
            const bool lead = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
            const int width = lead && i + 1 < bytes.size() ? 2 : 1;
            const QByteArray out = dec.Convert(bytes.constData() + i, size_t(width));
            if (!out.isEmpty()) {
                text += QString(reinterpret_cast<const QChar*>(out.constData()), out.size() / 2);
                i += width - 1;
            } else {
                text += QChar(QChar::ReplacementCharacter);
            }
        }
        benchmark::DoNotOptimize(text.data());
    }
    state.counters["ns_per_unit"] = benchmark::Counter(
        double(kText.size()), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// A full ranking of ten places read, saved and read again.
void BM_RankingFile(benchmark::State& state) {
    QHash<QString, QByteArray> files;
    kd::RecordFile::UseMemory(&files);
    const QString path = QStringLiteral("/memory/DATA/TimeTrialData");
    kd::TimeTrialTable table;
    for (int i = 0; i < kd::kTimeTrialPlaces; ++i) {
        table[i].RankName = QStringLiteral("花子%1").arg(i);
        table[i].RankTime = 60000 + 1000 * i;
        table[i].RankRate = QStringLiteral("97.5%");
        table[i].RankScore = kd::GetTimeTrialScore(QStringLiteral("慣用句"), table[i].RankTime, 2);
        table[i].RankGrade = kd::GetTimeTrialRank(table[i].RankTime);
        table[i].RankGenre = QStringLiteral("慣用句");
    }
    if (!kd::SaveTimeTrialData(path, table)) state.SkipWithError("the ranking could not be saved");
    for (auto _ : state) {
        const kd::TimeTrialTable read = kd::LoadTimeTrialData(path);
        if (!kd::SaveTimeTrialData(path, read) || kd::LoadTimeTrialData(path) != read) {
            state.SkipWithError("the ranking changed on its way through");
            break;
        }
    }
    kd::RecordFile::UseMemory(nullptr);
    state.counters["ns_per_unit"] =
        benchmark::Counter(1, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

}  // namespace

BENCHMARK(BM_Encode);
BENCHMARK(BM_Decode);
BENCHMARK(BM_DecodeDamaged);
BENCHMARK(BM_EncodeIconv);
BENCHMARK(BM_DecodeIconv);
BENCHMARK(BM_DecodeDamagedIconv);
BENCHMARK(BM_RankingFile);
BENCHMARK_MAIN();
