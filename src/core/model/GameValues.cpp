#include "model/GameValues.h"

using namespace Qt::Literals::StringLiterals;

namespace kestrava::model {

QString scoreVariableName()
{
    return u"очки"_s;
}

QString titleScreenProblem(const TitleScreenData& title)
{
    if (title.Name.size() > 40)
        return u"название игры длиннее 40 знаков"_s;
    if (title.Name.contains(u'\n') || title.Name.contains(u'\r'))
        return u"название игры — одна строка"_s;
    const QString& p = title.Picture;
    // A stranger's project names only a file beside project.prg.
    if (!p.isEmpty()
        && (p.contains(u'/') || p.contains(u'\\') || p.contains(u':') || p == u"."_s || p == u".."_s
            || p.startsWith(u'.') || p.size() > 64 || !p.endsWith(u".png"_s, Qt::CaseInsensitive)))
        return u"картинка заставки «%1» должна быть файлом .png в папке проекта"_s.arg(p);
    return QString();
}

} // namespace kestrava::model
