#include "settings/FunctionCatalogue.h"
#include "macros/MacroRecord.h"
#include "settings/LanguageTable.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vexmo {
namespace {

// Every entry n holds "Tn", so names show which entry they came from.
LanguageTable NumberedLanguage() {
    LanguageTable table;
    for (int n = 0; n < LanguageTable::kEntryCount; ++n) {
        table.Set(n, "T" + std::to_string(n));
    }
    return table;
}

struct Row {
    int nameEntry;
    std::string code;
    friend bool operator==(const Row&, const Row&) = default;
};

std::vector<Row> Rows(std::span<const CatalogueFunction> list) {
    std::vector<Row> rows;
    for (const CatalogueFunction& f : list) {
        rows.push_back({f.nameEntry, FormatKeyFunctionCode(f.code)});
    }
    return rows;
}

TEST(FunctionCatalogue, MainListRowsInOrder) {
    using enum FunctionListAction;
    struct Expected {
        int nameEntry;
        FunctionListAction action;
        const char* code;
    };
    const Expected expected[] = {
        {20, Assign, "100100"},
        {21, Assign, "100200"},
        {22, Assign, "100400"},
        {23, Assign, "101000"},
        {24, Assign, "100800"},
        {25, OpenDpiList, nullptr},
        {26, OpenFireKeyDialog, nullptr},
        {27, Assign, "303203"},
        {28, OpenMacroDialog, nullptr},
        {29, OpenShortcutDialog, nullptr},
        {30, OpenMultimediaList, nullptr},
        {31, OpenOfficeList, nullptr},
        {32, OpenWindowManageList, nullptr},
        {33, Assign, "600400"},
        {36, OpenDpiLockList, nullptr},
        {34, Assign, "000000"},
    };
    const auto list = MainFunctionList();
    ASSERT_EQ(list.size(), std::size(expected));
    for (size_t i = 0; i < list.size(); ++i) {
        SCOPED_TRACE(i + 1);
        EXPECT_EQ(list[i].nameEntry, expected[i].nameEntry);
        EXPECT_EQ(list[i].action, expected[i].action);
        if (expected[i].code != nullptr) {
            EXPECT_EQ(FormatKeyFunctionCode(list[i].code), expected[i].code);
        }
    }
}

TEST(FunctionCatalogue, SubListsCarryTheirCodes) {
    EXPECT_EQ(Rows(DpiFunctionList()), (std::vector<Row>{{40, "400200"}, {41, "400300"}, {42, "400100"}}));
    EXPECT_EQ(Rows(MultimediaFunctionList()), (std::vector<Row>{{45, "808301"},
                                                                {46, "80B600"},
                                                                {47, "80B500"},
                                                                {48, "80B700"},
                                                                {49, "80CD00"},
                                                                {50, "80E200"},
                                                                {51, "80E900"},
                                                                {52, "80EA00"},
                                                                {53, "808A01"},
                                                                {54, "809201"}}));
    EXPECT_EQ(Rows(OfficeFunctionList()), (std::vector<Row>{{60, "700106"},
                                                            {61, "700119"},
                                                            {62, "70011B"},
                                                            {63, "700104"},
                                                            {64, "700111"},
                                                            {65, "700116"},
                                                            {66, "700113"},
                                                            {67, "700808"},
                                                            {68, "70011D"}}));
    EXPECT_EQ(
        Rows(WindowManageFunctionList()),
        (std::vector<Row>{
            {75, "809401"}, {76, "70043D"}, {77, "700807"}, {78, "700815"}, {79, "700851"}, {80, "700852"}}));
}

TEST(FunctionCatalogue, ChoicesAreNamedFromTheLanguage) {
    const LanguageTable language = NumberedLanguage();
    const KeyFunctionChoice office = CatalogueChoice(OfficeFunctionList()[0], language);
    EXPECT_EQ(office.name, "T60");
    EXPECT_EQ(office.code, (KeyFunctionCode{0x70, 0x01, 0x06}));
    EXPECT_EQ(office.macro, nullptr);

    MacroRecord macro("Combo");
    const KeyFunctionChoice bound = MacroChoice(macro, language);
    EXPECT_EQ(bound.name, "T190Combo");
    EXPECT_EQ(bound.code, (KeyFunctionCode{0x90, 0x00, 0x00}));
    EXPECT_EQ(bound.macro, &macro);
}

TEST(FunctionCatalogue, DpiLockRows) {
    const LanguageTable language = NumberedLanguage();
    struct Case {
        int value;
        const char* name;
        const char* code;
    };
    const Case cases[] = {{1, "T36-200", "500100"}, {6, "T36-700", "500600"}, {11, "T36-1200", "500B00"}};
    for (const Case& c : cases) {
        const auto choice = DpiLockChoice(c.value, language);
        ASSERT_TRUE(choice) << c.value;
        EXPECT_EQ(choice->name, c.name);
        EXPECT_EQ(FormatKeyFunctionCode(choice->code), c.code);
    }
    EXPECT_FALSE(DpiLockChoice(0, language));
    EXPECT_FALSE(DpiLockChoice(12, language));
}

TEST(FunctionCatalogue, NamesStoredCodes) {
    struct Case {
        KeyFunctionCode code;
        std::optional<int> entry;
    };
    const Case cases[] = {
        {kLeftButtonCode, 20},
        {kBackButtonCode, 24},
        {{0x30, 0x32, 0x03}, 27},
        {kNoFunctionCode, 34},
        {kDpiFunction3Code, 42},
        {ConsumerCode(0x0192), 54},
        {{0x70, 0x08, 0x08}, 67},
        {{0x70, 0x08, 0x52}, 80},
        {{0x70, 0x05, 0x04}, std::nullopt},
        {{0x50, 0x03, 0x00}, std::nullopt},
        {kMacroCode, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CatalogueNameEntry(c.code), c.entry) << FormatKeyFunctionCode(c.code);
    }
}

} // namespace
} // namespace vexmo
