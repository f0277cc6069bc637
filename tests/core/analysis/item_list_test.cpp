// The item list readers on their own: what an items file and pasted text give, with no grid.
#include <gtest/gtest.h>

#include "core/analysis/item_list.h"
#include "support/test_paths.h"

namespace zirtel {
namespace {

TEST(ItemListReaders, GiveTheItemsTheirCellsAndWhatWasLeftOut) {
    test::TempDir dir;
    test::WriteBytes(dir / "items.txt", "hitza\tbaldintza\tmaiztasuna\n"
                                        "Etxe\ta\t12\n"
                                        "mendi\n"
                                        "3\n"
                                        "9lau\n"
                                        "ba\x01so\tb\n");
    const std::optional<ItemList> list = ParseItemListFile(dir / "items.txt");
    ASSERT_TRUE(list);
    EXPECT_EQ(list->Stimuli.Items, (std::vector<std::string>{"etxe", "mendi"}));
    EXPECT_EQ(list->Stimuli.Lines, (std::vector<std::size_t>{2, 3}));
    EXPECT_EQ(list->Stimuli.OwnCells, (std::vector<std::string>{"a\t12", ""}));
    EXPECT_EQ(list->ColumnNames, (std::vector<std::string>{"baldintza", "maiztasuna"}));
    EXPECT_EQ(list->Stimuli.ItemCondition.at(1), 1);
    EXPECT_EQ(list->Stimuli.ItemCondition.at(2), 3);
    EXPECT_EQ(list->LeftOutText(),
              "1 item ez dira sartu: Latin-1 ez diren karaktereak edo kontrol-karaktereak "
              "dituzte: ba?so (6. lerroa); 1 lerro saltatu dira, ez baitira letra batez hasten: "
              "9lau (5. lerroa)");

    ReadProblem problem = ReadProblem::None;
    EXPECT_FALSE(ParseItemListFile(dir / "none.txt", &problem));
    EXPECT_EQ(problem, ReadProblem::Missing);

    const PastedItems pasted = ParsePastedItems("Etxe-a\tx\nMENDI 2\nzu\n  ");
    ASSERT_EQ(pasted.Rows.size(), 3u);
    EXPECT_EQ(pasted.OwnColumns, 1u);
    EXPECT_EQ(pasted.Rows[0].Item, "etxea");
    EXPECT_EQ(pasted.Rows[0].Own, (std::vector<std::string>{"x"}));
    EXPECT_EQ(pasted.Rows[1].Item, "mendi");
    EXPECT_EQ(pasted.Rows[1].Own, (std::vector<std::string>{"2"}));
    EXPECT_EQ(pasted.Rows[2].Item, "zu");
    EXPECT_TRUE(pasted.Rows[2].Own.empty());
}

} // namespace
} // namespace zirtel
