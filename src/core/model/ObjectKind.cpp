#include "model/ObjectKind.h"

#include <QStringList>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::model {

const ObjectKindInfo& describe(ObjectKind kind)
{
    // The filter names are worded as the program always had them (two spaces included).
    static const ObjectKindInfo background{u"obf"_s, u"fon"_s, u"фоновым объектом"_s, u"файл фонового объекта"_s,
                                           {}, true};
    static const ObjectKindInfo active{u"oba"_s, u"active"_s, u"активным объектом"_s, u"файл активного объекта"_s,
                                       {}, true};
    static const ObjectKindInfo livesBar{u"obl"_s, u"lives"_s, u"объектом жизней"_s, u"файл  объекта полосы"_s,
                                         {}, false};
    static const ObjectKindInfo text{u"obt"_s, u"text"_s, u"текстовым объектом"_s, u"файл  текстового объекта"_s,
                                     u"text.bmp"_s, true};
    switch (kind) {
    case ObjectKind::Background: return background;
    case ObjectKind::Active: return active;
    case ObjectKind::LivesBar: return livesBar;
    case ObjectKind::Text: return text;
    }
    return text; // not reached: every kind is named above
}

QString objectFileFilter()
{
    QStringList filters;
    for (ObjectKind kind : kObjectKinds)
        filters << u"%1 (*.%2)"_s.arg(describe(kind).fileType, describe(kind).extension);
    return filters.join(u";;"_s);
}

} // namespace kestrava::model
