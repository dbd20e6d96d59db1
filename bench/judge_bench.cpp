// Per-key cost of the typing judge, measured over whole readings and words as a player types
// them, and the heap allocations it makes per key once warmed up (should be none).
#include <benchmark/benchmark.h>

#include <QList>
#include <QString>
#include <atomic>
#include <cstdlib>

#include "engine/TypingJudge.h"

// Qt's strings take their memory from malloc, not operator new, so the allocator itself is
// wrapped: every malloc, calloc and realloc in the process is counted.
extern "C" {
void* __libc_malloc(size_t);
void* __libc_calloc(size_t, size_t);
void* __libc_realloc(void*, size_t);
void __libc_free(void*);
}

namespace {
std::atomic<long long> g_allocations{0};
}

extern "C" {
void* malloc(size_t n) {
    g_allocations.fetch_add(1, std::memory_order_relaxed);
    return __libc_malloc(n);
}
void* calloc(size_t n, size_t size) {
    g_allocations.fetch_add(1, std::memory_order_relaxed);
    return __libc_calloc(n, size);
}
void* realloc(void* p, size_t n) {
    g_allocations.fetch_add(1, std::memory_order_relaxed);
    return __libc_realloc(p, n);
}
void free(void* p) {
    __libc_free(p);
}
}

namespace {

struct Typed {
    const char16_t* text;
    const char* keys;
};

// Readings typed with the first form of every unit; a single n for ん wherever it is enough.
const Typed kReadings[] = {
    {u"おめにかかる", "omenikakaru"},
    {u"かおをだす", "kaowodasu"},
    {u"みみをけがす", "mimiwokegasu"},
    {u"いっしょうけんめい", "issyoukenmei"},
    {u"しんけんしょうぶ", "sinkensyoubu"},
    {u"ちょっとひといき", "tyottohitoiki"},
    {u"てんきよほう", "tenkiyohou"},
    {u"じゅうにんといろ", "zyuunintoiro"},
    {u"こーひーをのむ", "ko-hi-wonomu"},
    {u"きゃくのせんたく", "kyakunosentaku"},
    {u"はんのう", "hannnou"},
    {u"ぎゅうにゅう", "gyuunyuu"},
};

// The same readings with the second forms.
const Typed kReadingsAlt[] = {
    {u"いっしょうけんめい", "isshoukenmei"},
    {u"しんけんしょうぶ", "shinkenshoubu"},
    {u"ちょっとひといき", "chottohitoiki"},
    {u"じゅうにんといろ", "juunintoiro"},
    {u"ふじさん", "fujisann"},
    {u"つきみ", "tsukimi"},
};

const Typed kWords[] = {
    {u"forecast", "forecast"}, {u"dictionary", "dictionary"}, {u"veteran", "veteran"},
    {u"x-ray", "x-ray"},       {u"Japan", "Japan"},           {u"September", "September"},
};

struct Stream {
    QList<QString> texts;
    QList<QByteArray> keys;
    long long keyCount = 0;
};

// missEvery > 0 puts a wrong key before every missEvery-th key, so misses are judged too. Not
// right after an n: there the wrong key would end ん and change what follows.
template <size_t N>
Stream MakeStream(const Typed (&items)[N], int missEvery) {
    Stream s;
    for (const Typed& t : items) {
        s.texts << QString::fromUtf16(t.text);
        QByteArray keys;
        int i = 0;
        for (const char* k = t.keys; *k; ++k, ++i) {
            if (missEvery > 0 && i % missEvery == missEvery - 1 && !(i > 0 && k[-1] == 'n')) keys += 'q';
            keys += *k;
        }
        s.keys << keys;
        s.keyCount += keys.size();
    }
    return s;
}

// Puts the next question on the labels the way a screen would, but reusing the label's buffer
// so that the only allocations left are the judge's own.
void Load(kd::StringPlayLabels& labels, const QString& text, bool english) {
    labels.display.resize(0);
    labels.display.append(text);
    if (english) labels.monitor = text;
}

// Types the whole stream once; returns false if a question was left unfinished.
bool TypeAll(kd::TypingJudge& judge, kd::StringPlayLabels& labels, const Stream& s, bool english) {
    for (qsizetype q = 0; q < s.texts.size(); ++q) {
        Load(labels, s.texts[q], english);
        judge.InitFlag();
        for (char key : s.keys[q]) {
            if (english)
                judge.JudgeEnglishKey(labels, key);
            else
                judge.JudgeKanaKey(labels, key);
        }
        if (!labels.display.isEmpty()) return false;
    }
    return true;
}

// Keys per iteration, nanoseconds and allocations per key, as every judge row reports them.
void ReportPerKey(benchmark::State& state, long long keyCount, long long allocations) {
    const double keys = double(keyCount) * double(state.iterations());
    state.SetItemsProcessed(int64_t(keys));
    state.counters["ns_per_key"] = benchmark::Counter(
        double(keyCount), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    state.counters["allocs_per_key"] = benchmark::Counter(double(allocations) / keys);
}

void Run(benchmark::State& state, const Stream& s, bool english, int expectedMisses) {
    {
        const long long probe = g_allocations.load();
        QString grown(100, u'x');
        benchmark::DoNotOptimize(grown.data());
        if (g_allocations.load() == probe) {
            state.SkipWithError("the allocation counter sees nothing");
            return;
        }
    }

    kd::TypingJudge judge;
    kd::StringPlayLabels labels;
    labels.display.reserve(64);
    labels.input.reserve(16);
    if (!TypeAll(judge, labels, s, english) || judge.GetMissCount() != expectedMisses) {
        state.SkipWithError("a question could not be typed through");
        return;
    }

    const long long before = g_allocations.load();
    for (auto _ : state) {
        judge.Reset();
        TypeAll(judge, labels, s, english);
        benchmark::DoNotOptimize(judge.GetCorrectCount());
    }
    ReportPerKey(state, s.keyCount, g_allocations.load() - before);
}

// Readings typed with kana keys on the JIS layout (かな入力): the keys as they type, ゛ and ゜
// after their base kana, small kana with Shift.
const char16_t* const kKanaReadings[][2] = {
    {u"おめにかかる", u"おめにかかる"},           {u"かおをだす", u"かおをた゛す"},
    {u"みみをけがす", u"みみをけか゛す"},         {u"いっしょうけんめい", u"いっしょうけんめい"},
    {u"しんけんしょうぶ", u"しんけんしょうふ゛"}, {u"ちょっとひといき", u"ちょっとひといき"},
    {u"じゅうにんといろ", u"し゛ゅうにんといろ"}, {u"こーひーをのむ", u"こーひーをのむ"},
    {u"ぎゅうにゅう", u"き゛ゅうにゅう"},         {u"ぱんをやく", u"は゜んをやく"},
};

// missEvery > 0 puts a key of no kana before every missEvery-th key; misses counts them.
Stream MakeKanaStream(int missEvery, int& misses) {
    Stream s;
    misses = 0;
    for (const auto& r : kKanaReadings) {
        s.texts << QString::fromUtf16(r[0]);
        QString keys;
        int i = 0;
        for (const char16_t* k = r[1]; *k; ++k, ++i) {
            if (missEvery > 0 && i % missEvery == missEvery - 1) {
                keys += QChar(u'x');
                ++misses;
            }
            keys += QChar(*k);
        }
        // The kana keys travel as UTF-16 code units in the byte array.
        s.keys << QByteArray(reinterpret_cast<const char*>(keys.utf16()), keys.size() * 2);
        s.keyCount += keys.size();
    }
    return s;
}

void RunKana(benchmark::State& state, const Stream& s, int expectedMisses) {
    kd::TypingJudge judge;
    judge.SetInputMethod(kd::InputMethod::Kana);
    kd::StringPlayLabels labels;
    labels.display.reserve(64);
    labels.input.reserve(16);
    auto typeAll = [&] {
        for (qsizetype q = 0; q < s.texts.size(); ++q) {
            Load(labels, s.texts[q], false);
            judge.InitFlag();
            const auto* keys = reinterpret_cast<const char16_t*>(s.keys[q].constData());
            const qsizetype n = s.keys[q].size() / 2;
            for (qsizetype i = 0; i < n; ++i)
                judge.JudgeKanaInput(labels, keys[i] == u'x' ? 0 : keys[i], 'x');
            if (!labels.display.isEmpty()) return false;
        }
        return true;
    };
    if (!typeAll() || judge.GetMissCount() != expectedMisses) {
        state.SkipWithError("a question could not be typed through");
        return;
    }
    const long long before = g_allocations.load();
    for (auto _ : state) {
        judge.Reset();
        typeAll();
        benchmark::DoNotOptimize(judge.GetCorrectCount());
    }
    ReportPerKey(state, s.keyCount, g_allocations.load() - before);
}

void BM_KanaInput_Readings(benchmark::State& state) {
    static int misses = 0;
    static const Stream s = MakeKanaStream(0, misses);
    RunKana(state, s, misses);
}

void BM_KanaInput_WithMisses(benchmark::State& state) {
    static int misses = 0;
    static const Stream s = MakeKanaStream(4, misses);
    RunKana(state, s, misses);
}

int MissCount(const Stream& s, int missEvery) {
    int misses = 0;
    for (const QByteArray& k : s.keys) misses += int(k.count('q'));
    return missEvery > 0 ? misses : 0;
}

void BM_NSystem_FirstForms(benchmark::State& state) {
    static const Stream s = MakeStream(kReadings, 0);
    Run(state, s, false, 0);
}

void BM_NSystem_SecondForms(benchmark::State& state) {
    static const Stream s = MakeStream(kReadingsAlt, 0);
    Run(state, s, false, 0);
}

void BM_NSystem_WithMisses(benchmark::State& state) {
    static const Stream s = MakeStream(kReadings, 4);
    Run(state, s, false, MissCount(s, 4));
}

void BM_ESystem_Words(benchmark::State& state) {
    static const Stream s = MakeStream(kWords, 0);
    Run(state, s, true, 0);
}

void BM_ESystem_WithMisses(benchmark::State& state) {
    static const Stream s = MakeStream(kWords, 3);
    Run(state, s, true, MissCount(s, 3));
}

}  // namespace

BENCHMARK(BM_NSystem_FirstForms);
BENCHMARK(BM_NSystem_SecondForms);
BENCHMARK(BM_NSystem_WithMisses);
BENCHMARK(BM_ESystem_Words);
BENCHMARK(BM_ESystem_WithMisses);
BENCHMARK(BM_KanaInput_Readings);
BENCHMARK(BM_KanaInput_WithMisses);

BENCHMARK_MAIN();
