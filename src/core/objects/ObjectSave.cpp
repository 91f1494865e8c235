#include "objects/ObjectSave.h"

#include "io/Error.h"

#include <QFileInfo>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::objects {

void saveObjectFiles(const io::FileBytes& object, const std::vector<io::FileBytes>& pictures)
{
    const QString target = QFileInfo(object.path).absoluteFilePath();
    for (const io::FileBytes& picture : pictures)
        if (QFileInfo(picture.path).absoluteFilePath() == target)
            throw io::Error::inFile(object.path,
                                    u"файл объекта назван как его собственный рисунок; выберите другое имя. "
                                    u"Ничего не записано"_s);
    std::vector<io::FileBytes> files{object};
    files.insert(files.end(), pictures.begin(), pictures.end());
    io::writeFilesTogether(files);
}

} // namespace kestrava::objects
