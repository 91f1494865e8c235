#include "app/CommandLine.h"

#include <gtest/gtest.h>

using namespace kestrava;
using namespace Qt::Literals::StringLiterals;
using Action = app::CommandLine::Action;

TEST(CommandLine, OptionsAndTheirMistakes)
{
    const auto parse = [](const QStringList& a) { return app::parseCommandLine(a); };
    EXPECT_EQ(parse({}).action, Action::Edit);
    const app::CommandLine open = parse({u"--app-dir"_s, u"/a"_s, u"p.prg"_s});
    EXPECT_EQ(open.appDir, u"/a"_s);
    EXPECT_EQ(open.projectFile, u"p.prg"_s);
    EXPECT_EQ(parse({u"--convert"_s, u"p.prg"_s}).action, Action::Convert);
    EXPECT_EQ(parse({u"p.prg"_s, u"--package"_s}).action, Action::Package);
    EXPECT_FALSE(parse({u"p.prg"_s, u"--package"_s}).shrink);
    EXPECT_TRUE(parse({u"--shrink"_s, u"--package"_s, u"p.prg"_s}).shrink);
    EXPECT_FALSE(parse({u"p.prg"_s, u"--package"_s}).strict);
    EXPECT_TRUE(parse({u"--package"_s, u"p.prg"_s, u"--strict"_s}).strict);
    EXPECT_EQ(parse({u"--app-dir=/b"_s}).appDir, u"/b"_s);
    EXPECT_EQ(parse({u"--"_s, u"-odd.prg"_s}).projectFile, u"-odd.prg"_s);
    // Help wins over everything else on the line, even a wrong option after it.
    EXPECT_EQ(parse({u"--version"_s, u"-h"_s}).action, Action::Help);

    for (const QStringList& wrong : {QStringList{u"--no-such"_s}, QStringList{u"-x"_s}, QStringList{u"--convert"_s}, QStringList{u"--package"_s},
                                     QStringList{u"--convert"_s, u"--package"_s, u"p.prg"_s},
                                     QStringList{u"--shrink"_s, u"p.prg"_s}, QStringList{u"--convert"_s, u"--shrink"_s, u"p.prg"_s},
                                     QStringList{u"--strict"_s, u"p.prg"_s}, QStringList{u"--convert"_s, u"--strict"_s, u"p.prg"_s},
                                     QStringList{u"a.prg"_s, u"b.prg"_s}, QStringList{u"--app-dir"_s},
                                     QStringList{u"--app-dir="_s}}) {
        const app::CommandLine line = parse(wrong);
        EXPECT_EQ(line.action, Action::Refuse) << wrong.join(u' ').toStdString();
        EXPECT_FALSE(line.error.isEmpty());
    }
    EXPECT_TRUE(app::usageText(u"/home/a/k"_s, u"/usr/share/kestrava"_s).contains(u"/usr/share/kestrava"_s));
}
