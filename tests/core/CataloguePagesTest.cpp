#include "catalogue/GuidePages.h"
#include "catalogue/Item.h"

#include <gtest/gtest.h>

using namespace kestrava;
using namespace Qt::Literals::StringLiterals;

namespace {

// The table row of an item: its menu path, as the page writes it, at the start of a line.
qsizetype rowOf(const QString& page, const QStringList& path)
{
    return page.indexOf(u"\n| "_s + path.join(u" → "_s) + u" |"_s);
}

} // namespace

// The guide's catalogue pages are made from the catalogues: every item of
// every menu has its row under its own menu's heading, every enabled one an
// explanation.
TEST(CataloguePages, ListEveryItemOfTheMenusUnderItsMenu)
{
    EXPECT_EQ(catalogue::itemsWithoutExplanation(), QStringList());

    const QString conditions = catalogue::conditionCataloguePage();
    for (const catalogue::Item& item : catalogue::conditionItems()) {
        const qsizetype row = rowOf(conditions, item.path);
        ASSERT_GE(row, 0) << item.path.join(u'/').toStdString();
        const QString heading = item.menu == catalogue::kFirstObjectIcon
                                    ? u"## Значки 8–12"_s
                                    : u"## Значок %1: %2"_s.arg(item.menu).arg(catalogue::conditionIconName(item.menu));
        const qsizetype at = conditions.lastIndexOf(u"\n## "_s, row);
        EXPECT_TRUE(conditions.mid(at + 1).startsWith(heading)) << item.path.join(u'/').toStdString();
        const QString line = conditions.mid(row + 1, conditions.indexOf(u'\n', row + 1) - row - 1);
        EXPECT_EQ(line.endsWith(u"| недоступно |"_s), !item.enabled) << line.toStdString();
    }

    const QString actions = catalogue::actionCataloguePage();
    int enabled = 0;
    for (const catalogue::Item& item : catalogue::actionItems()) {
        const qsizetype row = rowOf(actions, item.path);
        ASSERT_GE(row, 0) << item.path.join(u'/').toStdString();
        const QString line = actions.mid(row + 1, actions.indexOf(u'\n', row + 1) - row - 1);
        EXPECT_EQ(line.endsWith(u"| недоступно |"_s), !item.enabled) << line.toStdString();
        enabled += item.enabled ? 1 : 0;
    }
    // One row an item: none left out, none twice.
    const auto rows = [](const QString& page) {
        return page.count(u"\n| "_s) - page.count(u"\n| Пункт меню |"_s);
    };
    EXPECT_EQ(rows(actions), qsizetype(catalogue::actionItems().size()));
    EXPECT_EQ(rows(conditions), qsizetype(catalogue::conditionItems().size()));
    EXPECT_GT(enabled, 0);
}
