// Decoding the pictures of a game: our reader (io::decodePng, its own decoder
// on libdeflate for the common kinds) against libpng (decodePngWithLibpng, the
// path every other kind takes) on the same files. Sixteen 256 x 256 pictures
// of game art, written three ways: indexed (what the converter writes for a
// picture of at most 256 colours), true colour with alpha, and true colour
// with a patch of noise.
#include "io/Png.h"

#include <QImage>

#include "GameArt.h"

#include <benchmark/benchmark.h>

#include <vector>

using namespace kestrava;
using namespace Qt::Literals::StringLiterals;

namespace {

enum Kind { Indexed, TrueColour, Noisy };

const std::vector<QByteArray>& pictures(Kind kind)
{
    static std::vector<QByteArray> files[3];
    std::vector<QByteArray>& list = files[kind];
    if (list.empty()) {
        io::PngOptions options;
        options.indexedWhenFew = kind == Indexed;
        for (quint32 k = 0; k < 16; ++k)
            list.push_back(io::encodePng(gameArt(k, kind == Noisy), u"p.png"_s, options));
    }
    return list;
}

template <QImage (*decode)(const QByteArray&, const QString&)>
void decodeAll(benchmark::State& state)
{
    const std::vector<QByteArray>& files = pictures(Kind(state.range(0)));
    for (auto _ : state)
        for (const QByteArray& file : files)
            benchmark::DoNotOptimize(decode(file, u"p.png"_s).constBits());
    state.SetItemsProcessed(state.iterations() * qint64(files.size()));
}

void BM_PngOurs(benchmark::State& state)
{
    decodeAll<io::decodePng>(state);
}

void BM_PngLibpng(benchmark::State& state)
{
    decodeAll<io::decodePngWithLibpng>(state);
}

} // namespace

BENCHMARK(BM_PngOurs)->ArgName("kind")->Arg(Indexed)->Arg(TrueColour)->Arg(Noisy)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PngLibpng)->ArgName("kind")->Arg(Indexed)->Arg(TrueColour)->Arg(Noisy)->Unit(benchmark::kMillisecond);
