#include "objects/ReadChecks.h"

#include "io/Error.h"
#include "io/Paths.h"
#include "io/TextFile.h"

using namespace Qt::Literals::StringLiterals;

namespace kestrava::objects {
namespace {

// The message of a value outside 0..max ("" when it lies within).
QString boundsProblem(int value, int max, const QString& what)
{
    if (value < 0)
        return u"%1 = %2: отрицательное значение недопустимо"_s.arg(what).arg(value);
    if (value > max)
        return u"%1 = %2, а допускается не более %3"_s.arg(what).arg(value).arg(max);
    return QString();
}

} // namespace

int readBounded(io::LineReader& reader, int max, const QString& what)
{
    const int value = reader.integer();
    const QString problem = boundsProblem(value, max, what);
    if (!problem.isEmpty())
        reader.fail(problem);
    return value;
}

void checkBounded(const QString& path, int value, int max, const QString& what)
{
    const QString problem = boundsProblem(value, max, what);
    if (!problem.isEmpty())
        throw io::Error::inFile(path, problem + u"; файл не записан"_s);
}

namespace {

QString rangeProblem(int value, int min, int max, const QString& what)
{
    if (value >= min && value <= max)
        return QString();
    return u"%1 = %2, а допускается от %3 до %4"_s.arg(what).arg(value).arg(min).arg(max);
}

} // namespace

int readInRange(io::LineReader& reader, int min, int max, const QString& what)
{
    const int value = reader.integer();
    const QString problem = rangeProblem(value, min, max, what);
    if (!problem.isEmpty())
        reader.fail(problem);
    return value;
}

void checkInRange(const QString& path, int value, int min, int max, const QString& what)
{
    const QString problem = rangeProblem(value, min, max, what);
    if (!problem.isEmpty())
        throw io::Error::inFile(path, problem + u"; файл не записан"_s);
}

QString readPictureName(io::LineReader& reader)
{
    const QString name = reader.text();
    // Empty is what a writer gives an object without a picture yet.
    if (!name.isEmpty() && !io::isPlainFileName(name))
        reader.fail(u"имя рисунка «%1» недопустимо: это должно быть простое имя файла без папок и «..»"_s.arg(
            io::excerpt(name)));
    return name;
}

void expectKeyword(io::LineReader& reader, const QString& keyword, const QString& kindName)
{
    const QString first = reader.text();
    if (first != keyword)
        reader.fail(u"это не %1: первая строка «%2», а должна быть «%3»"_s.arg(kindName, io::excerpt(first), keyword));
}

} // namespace kestrava::objects
