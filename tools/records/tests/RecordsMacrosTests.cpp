// The platform's dialog and rich-edit headers define some of the shared names as macros. The
// records must compile after them and leave them as they were.
#define OFN_READONLY 0x00000001
#define CF_WYSIWYG 0x00008000L
#define EM_REDO (1024 + 84)
#define EM_FORMATRANGE (1024 + 57)

#include <gtest/gtest.h>

#include "records/Records.h"

#if !defined(OFN_READONLY) || !defined(CF_WYSIWYG) || !defined(EM_REDO) || !defined(EM_FORMATRANGE)
#error "records headers must restore the platform's macros"
#endif
static_assert(EM_REDO == 1108 && CF_WYSIWYG == 32768);

#undef OFN_READONLY
#undef CF_WYSIWYG
#undef EM_REDO
#undef EM_FORMATRANGE

TEST(RecordsMacros, NamesSurviveThePlatformMacros) {
    EXPECT_EQ(tessaly::OFN_READONLY, 1);
    EXPECT_EQ(tessaly::CF_WYSIWYG, 32768);
    EXPECT_EQ(tessaly::EM_REDO, 1108);
    EXPECT_EQ(tessaly::EM_FORMATRANGE, 1081);
}
