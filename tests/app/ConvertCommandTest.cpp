#include "app/ConvertCommand.h"
#include "model/Project.h"
#include "support/TempAppFolder.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

using namespace kestrava;
using namespace Qt::Literals::StringLiterals;

TEST(ConvertCommand, PrintsEveryFileWrittenOrTheErrorWithAnExitCode)
{
    test::TempAppFolder tmp;
    model::Project project;
    project.ProjectDir = tmp.makeDir(u"game"_s);
    project.LevelCount = 2;
    QString outText;
    QString errText;
    QTextStream out(&outText);
    QTextStream err(&errText);
    EXPECT_EQ(app::runConvertCommand(project, tmp.app(), out, err), 0);
    const QStringList lines = outText.split(u'\n', Qt::SkipEmptyParts);
    EXPECT_EQ(lines.size(), 11) << outText.toStdString();
    for (const QString& line : lines)
        EXPECT_TRUE(QFileInfo(QDir::fromNativeSeparators(line)).isFile()) << line.toStdString();
    EXPECT_TRUE(errText.isEmpty());

    model::Project none;
    outText.clear();
    EXPECT_NE(app::runConvertCommand(none, tmp.app(), out, err), 0);
    EXPECT_TRUE(outText.isEmpty());
    EXPECT_TRUE(errText.contains(u"Папка проекта не выбрана"_s)) << errText.toStdString();
}
