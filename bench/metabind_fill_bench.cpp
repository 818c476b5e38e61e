// Filling a MetaBind's placeholders in one pass against the search-from-the-top replacement it
// stands for (find the first placeholder, replace it, search again from the start), in the same
// run, on scripts with more and more placeholders. Both give the same text; the check says so.
#include "metabinds/metabind_format.h"

#include <benchmark/benchmark.h>
#include <cstdio>

using namespace Qt::Literals::StringLiterals;

namespace {

QString makeScript(int lines) {
    QString s;
    for (int i = 0; i < lines; ++i)
        s += u"bind \"<<1>>\" \"say_team line %1\" // <<2>> <<12>>\n"_s.arg(i);
    return s;
}

QString fromTheTop(QString text, int slot, const QString& key) {
    const QString mark = metabind::placeholder(slot);
    for (qsizetype at = text.indexOf(mark); at >= 0; at = text.indexOf(mark))
        text.replace(at, mark.size(), key);
    return text;
}

void OnePass(benchmark::State& state) {
    const QString script = makeScript(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(metabind::fillSlots(script, {u"MOUSE1"_s, u"F5"_s}));
}

void FromTheTop(benchmark::State& state) {
    const QString script = makeScript(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(fromTheTop(fromTheTop(script, 1, u"MOUSE1"_s), 2, u"F5"_s));
}

BENCHMARK(OnePass)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(FromTheTop)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    const QString script = makeScript(500);
    if (metabind::fillSlots(script, {u"MOUSE1"_s, u"F5"_s}) !=
        fromTheTop(fromTheTop(script, 1, u"MOUSE1"_s), 2, u"F5"_s)) {
        std::fprintf(stderr, "the two fillings differ\n");
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
