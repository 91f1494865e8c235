#pragma once

#include "objects/FontRecord.h"

class QDialog;

namespace kestrava::editor {

// The font dialog ("Свойства шрифта") as windows of other areas use it:
// filled and read with a font record, shown without waiting.
class FontDialog {
public:
    virtual ~FontDialog() = default;
    virtual objects::FontRecord GetFont() const = 0;
    virtual void SetFont(const objects::FontRecord& font) = 0;
    virtual QDialog* dialog() = 0;
};

} // namespace kestrava::editor
