// The event sheet is painted again after every edit and every stage switch:
// a full sheet (50 rows of 20 actions, every header picture) must stay quick.
#include "events/SheetPicture.h"

#include <benchmark/benchmark.h>

using namespace kestrava;

static void BM_EventSheetRepaint(benchmark::State& state)
{
    model::StageData stage;
    stage.EventCurRow = model::kMaxEventRows;
    stage.EventCount = model::kMaxEventRows;
    for (int r = 1; r <= model::kMaxEventRows; ++r) {
        model::EventRowData& row = stage.EventRow[size_t(r)];
        row.Kind = r % 10 == 0 ? events::kGroupKind : events::kEventKind;
        row.CondText = QStringLiteral("Всегда");
        for (int c = 1; c <= events::kColumns; ++c)
            row.ActionText[size_t(c)] = QStringLiteral("уровень+1");
    }
    QImage mark(17, 17, QImage::Format_RGB32);
    mark.fill(Qt::darkGreen);
    events::ColumnPictures pictures;
    for (int c = 1; c <= events::kColumns; ++c) {
        pictures[size_t(c)] = QImage(31, 31, QImage::Format_RGB32);
        pictures[size_t(c)].fill(QColor::fromHsv(c * 17, 200, 200));
    }
    QImage image;
    for (auto _ : state) {
        events::repaint(image, stage, mark, pictures);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_EventSheetRepaint)->Unit(benchmark::kMillisecond);
