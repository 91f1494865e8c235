#include "persist/TitlePicture.h"

#include "io/Error.h"
#include "io/Png.h"
#include "io/TextFile.h"

#include <QFileInfo>
#include <QImage>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::persist {

QString copyTitlePicture(const QString& projectDir, const QString& source)
{
    const QString target = projectDir + u'/' + QString::fromLatin1(kTitlePictureName);
    const bool bmp = source.endsWith(u".bmp"_s, Qt::CaseInsensitive);
    const QImage image = bmp ? io::readBmp(source) : io::readPng(source);
    if (image.width() > 1000 || image.height() > 1000)
        throw io::Error::inFile(source, u"картинка %1 × %2 точек больше любого экрана телефона (до 1000 точек)"_s
                                            .arg(image.width())
                                            .arg(image.height()));
    // The same file chosen again is already the project's.
    if (QFileInfo(source).canonicalFilePath() != QFileInfo(target).canonicalFilePath() || !QFileInfo::exists(target))
        io::writeFileAtomically(target, io::encodePng(image, source));
    return QString::fromLatin1(kTitlePictureName);
}

} // namespace kestrava::persist
