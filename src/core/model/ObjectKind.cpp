#include "model/ObjectKind.h"

using namespace Qt::Literals::StringLiterals;

namespace kestrava::model {

const ObjectKindInfo& describe(ObjectKind kind)
{
    static const ObjectKindInfo background{u"obf"_s, u"fon"_s, u"фоновым объектом"_s, {}, true};
    static const ObjectKindInfo active{u"oba"_s, u"active"_s, u"активным объектом"_s, {}, true};
    static const ObjectKindInfo livesBar{u"obl"_s, u"lives"_s, u"объектом жизней"_s, {}, false};
    static const ObjectKindInfo text{u"obt"_s, u"text"_s, u"текстовым объектом"_s, u"text.bmp"_s, true};
    switch (kind) {
    case ObjectKind::Background: return background;
    case ObjectKind::Active: return active;
    case ObjectKind::LivesBar: return livesBar;
    case ObjectKind::Text: return text;
    }
    return text; // not reached: every kind is named above
}

} // namespace kestrava::model
