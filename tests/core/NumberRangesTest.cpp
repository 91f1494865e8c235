// Movement types, obstacle flags and the settings file's numbers outside what
// the editors write and the game can use are refused, naming the file and the
// line or key; the bounds themselves are read.
#include "io/Error.h"
#include "io/TextFile.h"
#include "model/Project.h"
#include "persist/ProjectFile.h"
#include "interface/InterfaceSettings.h"
#include "support/ErrorOf.h"
#include "support/ObjectLibrary.h"

#include <QCryptographicHash>
#include <QRegularExpression>

#include <gtest/gtest.h>

using namespace kestrava;
using namespace Qt::Literals::StringLiterals;

TEST(NumberRanges, MovementTypesAndObstaclesOfTheProjectFiles)
{
    test::SampleProjectFolder game;
    model::Project project = game.savedWith({u"forest.obf"_s, u"hero.oba"_s});
    model::StageData& s = project.stage(1);
    s.ActiveObject[1] = {};
    s.ActiveObject[1].Ref = u"1"_s;
    s.ActiveObject[1].GroupValue = 1;
    s.ActiveObject[1].Exists = true;
    s.ActiveObjCount = 1;
    s.ActiveType[1] = model::MovementType::Static;
    s.FonGroup[1].Obstacle = 1;
    persist::save(project, game.file);
    const QByteArray prg = io::readWholeFile(game.file);
    const QByteArray extras = io::readWholeFile(game.extras);
    QList<QByteArray> lines = prg.split('\n');
    const int type = int(lines.indexOf("active\r")) + 3;     // "active", placed, groups, then the types
    const int obstacle = int(lines.indexOf("fon_gr\r")) + 2; // the group's name, then its flag
    auto opened = [&](int line, const QByteArray& value) {
        QList<QByteArray> changed = lines;
        changed[line] = value + '\r';
        io::writeFileAtomically(game.file, changed.join('\n'));
        // The extras are kept in step with the changed project file.
        io::writeFileAtomically(game.extras, QByteArray(extras).replace(
            QCryptographicHash::hash(prg, QCryptographicHash::Sha256).toHex(),
            QCryptographicHash::hash(changed.join('\n'), QCryptographicHash::Sha256).toHex()));
        model::Project p;
        return test::errorOf([&] { persist::load(p, game.tmp.app(), game.file); });
    };
    for (const auto& [value, accepted] : {std::pair{"0", true}, {"3", true}, {"4", false}, {"-1", false}, {"99", false}}) {
        const QString m = opened(type, value);
        EXPECT_EQ(m.isEmpty(), accepted) << value << ": " << m.toStdString();
        if (!accepted)
            EXPECT_TRUE(m.contains(u"строка %1"_s.arg(type + 1)) && m.contains(u"тип движения"_s)) << m.toStdString();
    }
    for (const auto& [value, accepted] : {std::pair{"0", true}, {"1", true}, {"2", false}, {"-1", false}}) {
        const QString m = opened(obstacle, value);
        EXPECT_EQ(m.isEmpty(), accepted) << value << ": " << m.toStdString();
        if (!accepted)
            EXPECT_TRUE(m.contains(u"строка %1"_s.arg(obstacle + 1))) << m.toStdString();
    }

    // The movement types of the extras file.
    io::writeFileAtomically(game.file, prg);
    const QRegularExpression types(uR"("movementTypes": ?\[3\])"_s);
    ASSERT_TRUE(QString::fromUtf8(extras).contains(types));
    for (const auto& [value, accepted] : {std::pair{"4", true}, {"5", false}, {"99", false}, {"-1", false}}) {
        io::writeFileAtomically(game.extras, QString::fromUtf8(extras)
                                                 .replace(types, u"\"movementTypes\": [%1]"_s.arg(QString::fromLatin1(value)))
                                                 .toUtf8());
        model::Project p;
        const QString m = test::errorOf([&] { persist::load(p, game.tmp.app(), game.file); });
        EXPECT_EQ(m.isEmpty(), accepted) << value << ": " << m.toStdString();
        if (!accepted)
            EXPECT_TRUE(m.contains(u"project.kestrava.json"_s) && m.contains(u"тип движения группы 1"_s))
                << m.toStdString();
    }
}

TEST(NumberRanges, TheSettingsFileOfTheGameInterface)
{
    test::TempAppFolder tmp;
    const QString path = tmp.makeDir(u"game"_s) + u"/layout.ini"_s;
    const std::tuple<const char*, const char*, bool> cases[] = {
        {"Lifebar", "Width=-1", false},       {"Lifebar", "Width=0", false},      {"Lifebar", "Width=1", true},
        {"Lifebar", "Width=10000", true},     {"Lifebar", "Width=10001", false},  {"Ammobar", "Pos.x=-10000", true},
        {"Ammobar", "Pos.x=-10001", false},   {"Weapon", "Frame.count=0", true},  {"Weapon", "Frame.count=2147483647", false},
        {"Weapon", "Frame.x=0", false},       {"Weapon", "Transparent=2", false}, {"Font", "Size=-1", true},
        {"Font", "Size=3", false},            {"Font", "Type=3", false},          {"Font", "Bold=1", true},
    };
    for (const auto& [section, line, accepted] : cases) {
        io::writeFileAtomically(path, "[" + QByteArray(section) + "]\r\n" + line + "\r\n");
        const QString m = test::errorOf([&] { interface::readInterfaceSettings(path); });
        EXPECT_EQ(m.isEmpty(), accepted) << line << ": " << m.toStdString();
        const QString key = QString::fromLatin1(line).section(u'=', 0, 0);
        if (!accepted)
            EXPECT_TRUE(m.contains(u"layout.ini"_s) && m.contains(u"[%1], ключ %2"_s.arg(QString::fromLatin1(section), key)))
                << m.toStdString();
    }
}
