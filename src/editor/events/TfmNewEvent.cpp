#include "editor/events/TfmNewEvent.h"

using namespace Qt::Literals::StringLiterals;

namespace kestrava::editor {

// The catalogue of conditions comes next; until then the chooser offers none.
TfmNewEvent::TfmNewEvent(document::ProjectDocument&, std::function<QImage(int)>, const QString& mode,
                         QWidget* parent)
    : QDialog(parent), ChooserMode(mode)
{
    setObjectName(u"fmNewEvent"_s);
    setWindowTitle(u"Новое событие"_s);
    resize(445, 257);
}

} // namespace kestrava::editor
