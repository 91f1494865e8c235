#include "persist/NewProject.h"

#include "io/Error.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::persist {

QString newProjectFolder(const QString& parent, const QString& name)
{
    if (name.trimmed().isEmpty())
        throw io::Error(u"Введите название проекта: из него получится имя папки проекта."_s);
    const QString shown = io::excerpt(name);
    const auto refuse = [&](const QString& why) {
        return io::Error(u"Название «%1» не годится для имени папки: %2."_s.arg(shown, why));
    };
    if (name != name.trimmed())
        throw refuse(u"оно начинается или кончается пробелом"_s);
    if (name == u"."_s || name == u".."_s || name.endsWith(u'.'))
        throw refuse(u"оно не может кончаться точкой"_s);
    if (name.size() > kMaxProjectName)
        throw refuse(u"оно длиннее %1 знаков"_s.arg(kMaxProjectName));
    for (const QChar c : name) {
        // Windows refuses these too, and a project folder may be carried there.
        if (c.unicode() < 0x20 || QStringView(u"/\\:*?\"<>|").contains(c))
            throw refuse(c.unicode() < 0x20 ? u"в нём есть управляющий знак"_s : u"в нём есть знак «%1»"_s.arg(c));
    }
    const QFileInfo folder(parent);
    // A folder typed without its full path would land wherever the program was started.
    if (!parent.isEmpty() && QDir::isRelativePath(parent))
        throw io::Error(u"Папка «%1»: укажите её полным путём или выберите её кнопкой «Выбрать…»."_s.arg(
            QDir::toNativeSeparators(parent)));
    if (parent.isEmpty() || !folder.isDir())
        throw io::Error(u"Папки «%1» нет: выберите папку, в которой создать проект."_s.arg(
            QDir::toNativeSeparators(parent)));
    const QString dir = QDir(folder.absoluteFilePath()).filePath(name);
    if (QFileInfo::exists(dir) || QFileInfo(dir).isSymLink())
        throw io::Error(u"Папка «%1» уже есть в «%2»: выберите другое название проекта."_s.arg(
            shown, QDir::toNativeSeparators(folder.absoluteFilePath())));
    return dir;
}

} // namespace kestrava::persist
