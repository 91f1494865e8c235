#include "level/MapTool.h"

#include "document/ProjectDocument.h"

namespace kestrava::level {

const model::Project& ToolContext::project() const
{
    return document.project();
}

const model::StageData& ToolContext::stage() const
{
    return document.project().current();
}

int ToolContext::level() const
{
    return document.project().CurLevel;
}

} // namespace kestrava::level
