#include <gtest/gtest.h>

#include <set>
#include <string_view>

#include "records/Messages.h"

namespace tessaly {
namespace {

TEST(Messages, TableRowsAreDistinctAndTheirContractsHoldTogether) {
    std::set<int32_t> numbers;
    std::set<std::string_view> names;
    for (const MessageInfo& m : kMessages) {
        SCOPED_TRACE(m.Name);
        EXPECT_TRUE(numbers.insert(m.Number).second);
        EXPECT_TRUE(names.insert(m.Name).second);
        const bool address =
            std::string_view(m.LParam).starts_with("&") || std::string_view(m.LParam).starts_with("address");
        // An address always names its owner; only answers by address are the editor's.
        EXPECT_EQ(address || m.Result == MessageResult::Address, m.Owner != MessageOwner::None);
        EXPECT_EQ(m.Result == MessageResult::Address || std::string_view(m.LParam).starts_with("address"),
                  m.Owner == MessageOwner::Editor);
        EXPECT_EQ(m.Result == MessageResult::Reserved, std::string_view(m.Route) == "reserved");
    }
}

TEST(Messages, NumbersAndResultsAsTheDeliverablesUseThem) {
    const struct {
        int32_t number;
        const char* name;
        MessageResult result;
    } rows[] = {
        {EM_DelAreaExtralStr, "EM_DelAreaExtralStr", MessageResult::Flag},
        {EM_ShowFormSetYcYgPos, "EM_ShowFormSetYcYgPos", MessageResult::Zero},
        {EM_GetPageSeting, "EM_GetPageSeting", MessageResult::Address},
        {EM_FormatSortInfo, "EM_FormatSortInfo", MessageResult::Default},
        {EM_预览, "EM_预览", MessageResult::Reserved},
        {EM_SendMsg, "EM_SendMsg", MessageResult::NotRead},
        {EM_HideCaret, "EM_HideCaret", MessageResult::Default},
        {EM_REDO, "EM_REDO", MessageResult::Default},
    };
    for (const auto& r : rows) {
        const MessageInfo* m = FindMessage(r.number);
        ASSERT_NE(nullptr, m) << r.name;
        EXPECT_STREQ(r.name, m->Name);
        EXPECT_EQ(r.result, ResultOf(r.number)) << r.name;
    }
    EXPECT_EQ(nullptr, FindMessage(1049));
    EXPECT_EQ(1030, EM_Alignment_About);
    EXPECT_EQ(1081, EM_FORMATRANGE);
}

}  // namespace
}  // namespace tessaly
