#include "io/Paths.h"

#include "io/Error.h"
#include "io/FileAccess.h"
#include "io/TextFile.h"


using namespace Qt::Literals::StringLiterals;

namespace kestrava::io {

QString changeExtension(const QString& fileName, const QString& extension)
{
    const qsizetype slash = std::max(fileName.lastIndexOf(u'/'), fileName.lastIndexOf(u'\\'));
    const qsizetype dot = fileName.lastIndexOf(u'.');
    if (dot > slash)
        return fileName.left(dot) + extension;
    return fileName + extension;
}

QString fileNamePart(const QString& path)
{
    const qsizetype slash = std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
    return path.mid(slash + 1);
}

QString folderPart(const QString& path)
{
    const qsizetype slash = std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
    if (slash < 0)
        return QString();
    if (slash == 0)
        return path.left(1);
    return path.left(slash);
}

bool isPlainFileName(const QString& name)
{
    if (name.isEmpty() || name == u"."_s || name == u".."_s)
        return false;
    for (QChar c : name)
        if (c == u'/' || c == u'\\' || c == u':' || c.unicode() < 32)
            return false;
    return true;
}

bool copyFileNoOverwrite(const QString& from, const QString& to)
{
    try {
        if (entryAt(OpenFolder::holding(to, Access::Write), fileNamePart(to)) != Entry::None)
            return false;
        writeFileAtomically(to, readWholeFile(from, kMaxPictureFileBytes));
        return true;
    } catch (const Error&) {
        return false;
    }
}

void makeFolder(const QString& path)
{
    makeFolderWithin(path);
}

} // namespace kestrava::io
