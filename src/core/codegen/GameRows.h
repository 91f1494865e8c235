#pragma once

#include "model/Project.h"

#include <QString>

#include <vector>

namespace kestrava::codegen {

// The rows a stage's class runs: every event row of the sheet in order, past
// the sheet's count too (a group's title and a comment run nothing). What the
// converter decides from the rows (sounds, the score, classes a game needs,
// the objects it makes) reads these same rows.
template <class F>
void forEachGameRow(const model::StageData& stage, F&& f)
{
    for (int r = 1; r <= model::kMaxEventRows; ++r) {
        const model::EventRowData& row = stage.EventRow[size_t(r)];
        if (row.Kind == u"event")
            f(r, row);
    }
}

// Whether the Java of any row the game runs, its condition or an action, passes test.
template <class Test>
bool anyGameRowCode(const std::vector<model::StageData>& stages, Test&& test)
{
    bool found = false;
    for (const model::StageData& stage : stages)
        forEachGameRow(stage, [&](int, const model::EventRowData& row) {
            if (found || test(row.CondCode)) {
                found = true;
                return;
            }
            for (const QString& code : row.ActionCode)
                if (test(code)) {
                    found = true;
                    return;
                }
        });
    return found;
}

} // namespace kestrava::codegen
