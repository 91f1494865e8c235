#include "model/GameSuite.h"

#include <QRegularExpression>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::model {
namespace {

QString textProblem(const QString& text, const QString& field)
{
    if (text.size() > kMaxSuiteText)
        return u"%1: длиннее %2 знаков"_s.arg(field).arg(kMaxSuiteText);
    for (const QChar c : text)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            return u"%1: в тексте есть перевод строки или другой управляющий знак"_s.arg(field);
    return QString();
}

} // namespace

QString gameSuiteProblem(const GameSuiteData& suite)
{
    if (QString problem = textProblem(suite.Vendor, u"Разработчик"_s); !problem.isEmpty())
        return problem;
    if (QString problem = textProblem(suite.Description, u"Описание"_s); !problem.isEmpty())
        return problem;
    // Phones compare versions number by number to offer an update.
    static const QRegularExpression version(u"^\\d{1,2}\\.\\d{1,2}(\\.\\d{1,2})?$"_s);
    if (!suite.Version.isEmpty() && !version.match(suite.Version).hasMatch())
        return u"Версия «%1»: нужна запись вида 1.0 или 1.2.3, каждое число от 0 до 99"_s.arg(suite.Version.left(20));
    return QString();
}

} // namespace kestrava::model
